#include "../LanguageFileTest.h"
#include "TestMenus.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QMenuBar>
#include <QStyleOptionMenuItem>
#include <gtest/gtest.h>

namespace {

// Section 128 translates the main menu, section 129 the context menu.
const char* kGerman = "[128]\n"
                      "|0=&Datei\n"
                      "|1=&Bearbeiten\n"
                      "|0|5=&Zuletzt geöffnet\n"
                      "|0|2=not a pop-up\n"
                      "|1|1=a separator\n"
                      "0=no command\n"
                      "32771=&Kopieren\tStrg+C\n"
                      "57600=&Neu\n"
                      "57616=&1 Chart.cht\n"
                      "[129]\n"
                      "32771=K&opieren\n";

const std::vector<std::string> kGermanMainMenu = {
    "[&Datei]",
    "  57600 &Neu",
    "  57601 &Open...\tCtrl+O",
    "  -",
    "  57603 &Save\tCtrl+S",
    "  -",
    "  [&Zuletzt geöffnet]",
    "    57616 &1 Chart.cht",
    "  -",
    "  57665 E&xit",
    "[&Bearbeiten]",
    "  32771 &Kopieren\tStrg+C",
    "  -",
    "  32772 &Delete\tDel",
    "[&View]",
    "  32790 &Refresh\tF5",
};

// Shows what a menu paints for an item: its text and the shortcut after a tab.
class ProbeMenu : public QMenu {
public:
    QString PaintedText(QAction* action) const {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option.text;
    }
};

class MenuTranslationTest : public LanguageFileTest {
protected:
    void SetUp() override {
        LanguageFileTest::SetUp();
        BuildMenuBar(bar, TestMainMenu(), {});
        english = DumpMenu(bar);
    }

    QMenuBar bar;
    std::vector<std::string> english;
};

TEST_F(MenuTranslationTest, PopupsByPositionCommandsByIdentifierSeparatorsUnchanged) {
    Activate(kGerman);
    TranslateMenus(bar, 128);
    EXPECT_EQ(DumpMenu(bar), kGermanMainMenu);
    EXPECT_TRUE(bar.actions()[0]->menu()->actions()[2]->isSeparator());
    EXPECT_TRUE(bar.actions()[1]->menu()->actions()[1]->isSeparator());
}

TEST_F(MenuTranslationTest, TranslationOffRestoresEveryText) {
    Activate(kGerman);
    TranslateMenus(bar, 128);
    TranslateMenus(bar, 128); // twice: the resource texts stay the table's
    CLanguage::SetFile("");
    TranslateMenus(bar, 128);
    EXPECT_EQ(DumpMenu(bar), english);
}

TEST_F(MenuTranslationTest, NothingChangesWithoutTheMenuSection) {
    Activate(kGerman);
    TranslateMenus(bar, 130);
    EXPECT_EQ(DumpMenu(bar), english);
}

TEST_F(MenuTranslationTest, MnemonicAndShortcutKeptAfterTranslation) {
    Activate(kGerman);
    ProbeMenu context;
    BuildMenu(context, TestMainMenu()[1].items, {});
    TranslateMenus(bar, 128);
    TranslateMenus(context, 129);

    QAction* copy = FindCommandAction(bar, 32771);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(QKeySequence::mnemonic(copy->text()), QKeySequence(Qt::ALT | Qt::Key_K));
    EXPECT_EQ(QKeySequence::mnemonic(bar.actions()[1]->text()), QKeySequence(Qt::ALT | Qt::Key_B));

    // A translation without a shortcut part still shows the command's shortcut.
    QAction* contextCopy = context.actions()[0];
    EXPECT_EQ(contextCopy->text().toStdString(), "K&opieren");
    EXPECT_EQ(context.PaintedText(contextCopy),
              "K&opieren\t" +
                  QKeySequence(Qt::CTRL | Qt::Key_C).toString(QKeySequence::NativeText));
    EXPECT_EQ(context.PaintedText(context.actions()[2]).toStdString(), "&Delete\tDel");
}

TEST_F(MenuTranslationTest, MenuNotBuiltFromATableIsRestoredToo) {
    QMenu menu;
    QAction* plain = menu.addAction("&Copy");
    plain->setData(32771u);
    QAction* other = menu.addAction("&Paste");
    Activate(kGerman);
    TranslateMenus(menu, 128);
    EXPECT_EQ(plain->text().toStdString(), "&Kopieren\tStrg+C");
    EXPECT_EQ(other->text().toStdString(), "&Paste"); // no identifier, no key
    CLanguage::SetFile("");
    TranslateMenus(menu, 128);
    EXPECT_EQ(plain->text().toStdString(), "&Copy");
    EXPECT_EQ(other->text().toStdString(), "&Paste");
}

} // namespace
