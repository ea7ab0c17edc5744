#include "panels/qt/CStockNameBar.h"
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(StockNameBarTest, ThreeEmptyPagesStartingWithTheList) {
    CStockNameBar bar;
    const auto* tabs = bar.findChild<QTabWidget*>("pages");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "List");
    EXPECT_EQ(tabs->tabText(1), "Data");
    EXPECT_EQ(tabs->tabText(2), "Favorites");
    EXPECT_EQ(bar.Page(), 0);
    EXPECT_EQ(bar.findChild<QListWidget*>("symbolList")->count(), 0);
    EXPECT_EQ(bar.findChild<QListWidget*>("dataFileList")->count(), 0);
    EXPECT_EQ(bar.findChild<QTreeWidget*>("favoritesTree")->topLevelItemCount(), 0);
    EXPECT_EQ(bar.SymbolField().parentWidget(), tabs->widget(0));
    EXPECT_EQ(bar.SymbolField().placeholderText(), "Symbol");
}

TEST(StockNameBarTest, SetPageKeepsThePageForAnUnknownIndex) {
    CStockNameBar bar;
    struct Case {
        int asked;
        int shown;
    };
    for (const Case& c : {Case{2, 2}, Case{1, 1}, Case{3, 1}, Case{-1, 1}, Case{0, 0}}) {
        bar.SetPage(c.asked);
        EXPECT_EQ(bar.Page(), c.shown) << c.asked;
    }
}

TEST(StockNameBarTest, BeginEntryStartsTheFieldWithTheCharacterAndFocusesIt) {
    CStockNameBar bar;
    bar.show();
    QApplication::setActiveWindow(&bar);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bar));
    for (char typed : {'I', '7', '^'}) {
        bar.SetPage(2);
        bar.SymbolField().setText("MSFT");
        bar.BeginEntry(typed);
        EXPECT_EQ(bar.Page(), 0);
        EXPECT_EQ(bar.SymbolField().text().toStdString(), std::string(1, typed));
        EXPECT_EQ(bar.SymbolField().cursorPosition(), 1);
        EXPECT_TRUE(bar.SymbolField().hasFocus());
    }
    // Typing goes on in the field after the first character.
    QTest::keyClicks(QApplication::focusWidget(), "BM");
    EXPECT_EQ(bar.SymbolField().text(), "^BM");
}

TEST(StockNameBarTest, EnterInTheFieldSearchesItsText) {
    CStockNameBar bar;
    std::vector<std::string> searched;
    bar.onSearch = [&](const std::string& text) { searched.push_back(text); };
    bar.SymbolField().setText("IBM");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    bar.SymbolField().setText("");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Enter);
    EXPECT_EQ(searched, (std::vector<std::string>{"IBM", ""}));
    // Other keys search nothing.
    QTest::keyClick(&bar.SymbolField(), Qt::Key_A);
    EXPECT_EQ(searched.size(), 2u);
}

TEST(StockNameBarTest, EnterWithoutAHandlerDoesNothing) {
    CStockNameBar bar;
    bar.SymbolField().setText("IBM");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(bar.SymbolField().text(), "IBM");
}

} // namespace
