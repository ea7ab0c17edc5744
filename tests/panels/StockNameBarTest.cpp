#include "panels/qt/CStockNameBar.h"
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(StockNameBarTest, ThreeEmptyPagesStartingWithTheList) {
    CStockNameBar bar;
    const auto* tabs = bar.findChild<QTabWidget*>("pages");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "List");
    EXPECT_EQ(tabs->tabText(1), "Data Files");
    EXPECT_EQ(tabs->tabText(2), "Favorites");
    EXPECT_EQ(bar.Page(), 0);
    EXPECT_EQ(bar.findChild<QTreeView*>("symbolList")->model()->rowCount(), 0);
    EXPECT_EQ(bar.findChild<QTreeWidget*>("dataFileList")->topLevelItemCount(), 0);
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

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder with the four installation folders the panel reads.
class NameBarFolders : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("zs-namebar-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        Write(root / "Index/market.txt", "Market\tFullName\tSuffix\nUS\tUnited States\t\n"
                                         "<skipped\nHK\tHong Kong\t.HK\nSS\tShanghai\t.SS\n");
        std::string us;
        for (const auto& [symbol, name] :
             std::vector<std::pair<std::string, std::string>>{{"MSFT", "Microsoft Corporation"},
                                                              {"ACMEX", "Acme Extra Holdings"},
                                                              {"IBM", "International Business "
                                                                      "Machines"},
                                                              {"ACME", "Zeta Acme Tools"}})
            us += CSymbolDatabase::MakeRecord(symbol, name);
        Write(root / "System/US.Dat", us);
        Write(root / "System/HK.Dat", CSymbolDatabase::MakeRecord("0005", "HSBC Holdings"));
        fs::create_directories(root / "Data/US");
        fs::create_directories(root / "fav/Tech");
    }
    void TearDown() override { fs::remove_all(root); }

    SNameBarFolders Folders() const {
        const std::string base = root.string() + "/";
        return {base + "Index/", base + "System/", base + "Data/", base + "fav/"};
    }
    static QTreeView& List(CStockNameBar& bar) { return *bar.findChild<QTreeView*>("symbolList"); }
    static std::vector<std::string> Shown(CStockNameBar& bar) {
        std::vector<std::string> shown;
        QAbstractItemModel* model = List(bar).model();
        for (int row = 0; row < model->rowCount(); ++row)
            shown.push_back(model->index(row, 0).data().toString().toStdString() + "|" +
                            model->index(row, 1).data().toString().toStdString());
        return shown;
    }
    static std::string SelectedSymbol(CStockNameBar& bar) {
        const int row = bar.SelectedRow();
        return row < 0 ? "" : bar.Symbols().At(static_cast<size_t>(row)).symbol;
    }

    fs::path root;
};

struct SOpened {
    std::string symbol;
    std::string market;
    bool newChart;
    bool operator==(const SOpened&) const = default;
};

TEST_F(NameBarFolders, MarketsInFileOrderAndTheStoredIndexSelects) {
    struct Case {
        int marIndex;
        int selected;
        const char* market;
        size_t symbols;
    };
    for (const Case& c : {Case{0, 0, "US", 4}, Case{1, 1, "HK", 1}, Case{99, 0, "US", 4},
                          Case{-1, 0, "US", 4}, Case{2, 2, "SS", 0}}) {
        CStockNameBar bar;
        bar.Open(Folders(), {c.marIndex, false});
        const auto* box = bar.findChild<QComboBox*>("marketBox");
        ASSERT_EQ(box->count(), 3);
        EXPECT_EQ(box->itemText(0), "United States");
        EXPECT_EQ(box->itemText(1), "Hong Kong");
        EXPECT_EQ(box->itemText(2), "Shanghai");
        EXPECT_EQ(box->currentIndex(), c.selected) << c.marIndex;
        EXPECT_EQ(bar.Market(), c.market);
        EXPECT_EQ(bar.Symbols().Count(), c.symbols);
        EXPECT_EQ(bar.Settings().marIndex, c.selected);
    }
}

TEST_F(NameBarFolders, ListIsOrderedAndLabelledBySymbolOrName) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    EXPECT_EQ(Shown(bar),
              (std::vector<std::string>{"ACME|Zeta Acme Tools", "ACMEX|Acme Extra Holdings",
                                        "IBM|International Business Machines",
                                        "MSFT|Microsoft Corporation"}));
    EXPECT_EQ(List(bar).model()->headerData(0, Qt::Horizontal).toString(), "Symbol");
    bar.SetByName(true);
    EXPECT_EQ(Shown(bar), (std::vector<std::string>{
                              "Acme Extra Holdings|ACMEX", "International Business Machines|IBM",
                              "Microsoft Corporation|MSFT", "Zeta Acme Tools|ACME"}));
    EXPECT_EQ(List(bar).model()->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_TRUE(bar.Settings().byName);

    CStockNameBar stored;
    stored.Open(Folders(), {0, true});
    EXPECT_EQ(Shown(stored).front(), "Acme Extra Holdings|ACMEX");
}

TEST_F(NameBarFolders, AMissingOrMalformedMarketFileOrDatabaseSaysSo) {
    {
        CStockNameBar bar;
        bar.Open(Folders(), {2, false});
        EXPECT_EQ(bar.Problem().toStdString(),
                  "The symbol database " + root.string() + "/System/SS.Dat cannot be opened.");
        EXPECT_EQ(List(bar).model()->rowCount(), 0);
        bar.SelectMarket(0);
        EXPECT_EQ(bar.Problem(), "");
    }
    Write(root / "Index/market.txt", "Market\tFullName\nUS\tUnited States\t\n");
    {
        CStockNameBar bar;
        bar.Open(Folders(), {0, false});
        EXPECT_EQ(bar.findChild<QComboBox*>("marketBox")->count(), 0);
        EXPECT_EQ(bar.Market(), "");
        EXPECT_EQ(bar.Problem().toStdString(),
                  "No markets: " + root.string() +
                      "/Index/market.txt is malformed (its first line is not \"Market, "
                      "FullName, Suffix\" with tabs).");
        EXPECT_EQ(List(bar).model()->rowCount(), 0);
    }
    fs::remove(root / "Index/market.txt");
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    EXPECT_EQ(bar.Problem().toStdString(),
              "No markets: " + root.string() + "/Index/market.txt is missing.");
}

TEST_F(NameBarFolders, EnterSearchesSelectsAndASecondEnterOpens) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    std::vector<SOpened> opened;
    std::vector<QString> status;
    bar.onOpenSymbol = [&](const std::string& s, const std::string& m, bool n) {
        opened.push_back({s, m, n});
    };
    bar.onStatusText = [&](const QString& text) { status.push_back(text); };
    struct Case {
        const char* text;
        const char* selected;
    };
    for (const Case& c : {Case{"acme", "ACME"}, Case{"ACMEX", "ACMEX"}, Case{"ib", "IBM"},
                          Case{"corporation", "MSFT"}, Case{"Acme T", "ACME"}}) {
        bar.SymbolField().setText(c.text);
        QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
        EXPECT_EQ(SelectedSymbol(bar), c.selected) << c.text;
        EXPECT_EQ(bar.SymbolField().toolTip(), "");
    }
    EXPECT_TRUE(opened.empty());
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Enter);
    EXPECT_EQ(opened, (std::vector<SOpened>{{"ACME", "US", false}}));
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(opened.back(), (SOpened{"ACME", "US", true}));

    bar.SymbolField().setText("QQQ");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(bar.SymbolField().toolTip(), "No symbol matches QQQ");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back(), "No symbol matches QQQ");
    // A failed search opens nothing on the next Enter either.
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(NameBarFolders, TypingMovesTheSelectionWithoutOpening) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    int opened = 0;
    bar.onOpenSymbol = [&](const std::string&, const std::string&, bool) { ++opened; };
    struct Step {
        const char* typed;
        const char* selected;
    };
    bar.SymbolField().setFocus();
    for (const Step& s : {Step{"i", "IBM"}, Step{"b", "IBM"}, Step{"m", "IBM"}}) {
        QTest::keyClicks(&bar.SymbolField(), s.typed);
        EXPECT_EQ(SelectedSymbol(bar), s.selected) << s.typed;
    }
    bar.SymbolField().clear();
    QTest::keyClicks(&bar.SymbolField(), "ms");
    EXPECT_EQ(SelectedSymbol(bar), "MSFT");
    EXPECT_EQ(opened, 0);
    // Enter after typing finds first, then opens.
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(opened, 0);
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(opened, 1);
}

TEST_F(NameBarFolders, DoubleClickAndEnterOnTheListOpenCtrlEnterInANewChart) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    bar.resize(300, 400);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    std::vector<SOpened> opened;
    bar.onOpenSymbol = [&](const std::string& s, const std::string& m, bool n) {
        opened.push_back({s, m, n});
    };
    QTreeView& list = List(bar);
    const QRect second = list.visualRect(list.model()->index(1, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second.center());
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Return);
    QTest::keyClick(&list, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(opened, (std::vector<SOpened>{
                          {"ACMEX", "US", false}, {"IBM", "US", false}, {"IBM", "US", true}}));
}

TEST_F(NameBarFolders, AFileWrittenIntoTheMarketFolderAppearsWithinASecond) {
    Write(root / "Data/US/IBM.csv", "Date,Open\n");
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    auto* files = bar.findChild<QTreeWidget*>("dataFileList");
    ASSERT_EQ(files->topLevelItemCount(), 1);
    EXPECT_EQ(files->topLevelItem(0)->text(0), "IBM.csv");
    EXPECT_EQ(files->topLevelItem(0)->text(1), "10");
    Write(root / "Data/US/ACME.txt", "x");
    Write(root / "Data/US/readme.doc", "x");
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->topLevelItemCount() == 2; }, 1000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(files->topLevelItem(0)->text(0), "ACME.txt");

    std::vector<SOpened> opened;
    bar.onOpenSymbol = [&](const std::string& s, const std::string& m, bool n) {
        opened.push_back({s, m, n});
    };
    emit files->itemActivated(files->topLevelItem(0), 0);
    emit files->itemActivated(files->topLevelItem(1), 0);
    EXPECT_EQ(opened, (std::vector<SOpened>{{"ACME.txt", "US", false}, {"IBM", "US", false}}));
    // Another market's folder, made after the panel looked: it follows too.
    bar.SelectMarket(1);
    EXPECT_EQ(files->topLevelItemCount(), 0);
    Write(root / "Data/HK/0005.csv", "y");
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->topLevelItemCount() == 1; }, 1000));
    EXPECT_EQ(files->topLevelItem(0)->text(0), "0005.csv");
}

TEST_F(NameBarFolders, FavouritesAddAndDeleteRewriteTheGroupList) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    auto* tree = bar.findChild<QTreeWidget*>("favoritesTree");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Tech");
    ASSERT_TRUE(bar.AddFavourite("Tech", "IBM", "US"));
    ASSERT_TRUE(bar.AddFavourite("Tech", "0005", "US")); // found in another market
    ASSERT_TRUE(bar.AddFavourite("Tech", "NONE", "HK"));
    std::string expected(3 * 512, '\0');
    expected.replace(0, 3, "IBM");
    expected.replace(16, 31, "International Business Machines");
    expected.replace(256, 2, "US");
    expected.replace(512, 4, "0005");
    expected.replace(512 + 16, 13, "HSBC Holdings");
    expected.replace(512 + 256, 2, "US");
    expected.replace(1024, 4, "NONE");
    expected.replace(1024 + 16, 17, "Can not get Name.");
    expected.replace(1024 + 256, 2, "HK");
    EXPECT_EQ(Slurp(root / "fav/Tech/list.dat"), expected);

    QTreeWidgetItem* group = tree->topLevelItem(0);
    ASSERT_EQ(group->childCount(), 3);
    EXPECT_EQ(group->child(1)->text(0), "0005");
    EXPECT_EQ(group->child(1)->text(1), "HSBC Holdings, US");
    tree->setCurrentItem(group->child(1));
    EXPECT_EQ(bar.SelectedFavourite(), (CFavourites::SEntry{"0005", "HSBC Holdings", "US"}));
    std::vector<SOpened> opened;
    bar.onOpenSymbol = [&](const std::string& s, const std::string& m, bool n) {
        opened.push_back({s, m, n});
    };
    emit tree->itemActivated(group->child(2), 0);
    EXPECT_EQ(opened, (std::vector<SOpened>{{"NONE", "HK", false}}));

    ASSERT_TRUE(bar.DeleteSelectedFavourite());
    EXPECT_EQ(group->childCount(), 2);
    EXPECT_EQ(Slurp(root / "fav/Tech/list.dat"), expected.substr(0, 512) + expected.substr(1024));
    // A group is no entry.
    tree->setCurrentItem(group);
    EXPECT_FALSE(bar.SelectedFavourite().has_value());
    EXPECT_FALSE(bar.DeleteSelectedFavourite());

    // Changes made elsewhere (the organiser) show after a refresh.
    fs::create_directories(root / "fav/Banks");
    Write(root / "fav/Banks/list.dat", std::string(100, 'x'));
    bar.RefreshFavourites();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Banks");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
}

TEST_F(NameBarFolders, AHundredThousandSymbolsListAndScroll) {
    std::string bytes;
    bytes.reserve(100000 * 1024);
    for (int i = 0; i < 100000; ++i) {
        char symbol[16];
        std::snprintf(symbol, sizeof symbol, "S%06d", 99999 - i);
        bytes += CSymbolDatabase::MakeRecord(symbol, std::string("Company ") + symbol);
    }
    Write(root / "System/US.Dat", bytes);
    CStockNameBar bar;
    bar.resize(300, 500);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    bar.Open(Folders(), {0, false});
    QTreeView& list = List(bar);
    ASSERT_EQ(list.model()->rowCount(), 100000);
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), "S000000");
    EXPECT_EQ(list.model()->index(99999, 0).data().toString(), "S099999");
    bar.SymbolField().setText("s098765");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    EXPECT_EQ(SelectedSymbol(bar), "S098765");
    EXPECT_TRUE(
        list.viewport()->rect().contains(list.visualRect(list.model()->index(98765, 0)).center()));
    list.scrollToBottom();
    EXPECT_TRUE(
        list.viewport()->rect().contains(list.visualRect(list.model()->index(99999, 0)).center()));
    EXPECT_FALSE(
        list.viewport()->rect().contains(list.visualRect(list.model()->index(98765, 0)).center()));
}

} // namespace

namespace {

QAction* ActionNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text) return action;
    return nullptr;
}

TEST_F(NameBarFolders, ListMenuOpensInANewChartAndSwitchesTheOrder) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    std::vector<SOpened> opened;
    bar.onOpenSymbol = [&](const std::string& s, const std::string& m, bool n) {
        opened.push_back({s, m, n});
    };
    std::unique_ptr<QMenu> menu = bar.MakeListMenu(2);
    ASSERT_NE(ActionNamed(*menu, "Open in &New Chart"), nullptr);
    ActionNamed(*menu, "Open in &New Chart")->trigger();
    ActionNamed(*menu, "&Open")->trigger();
    EXPECT_EQ(opened, (std::vector<SOpened>{{"IBM", "US", true}, {"IBM", "US", false}}));
    std::unique_ptr<QMenu> outside = bar.MakeListMenu(-1);
    EXPECT_FALSE(ActionNamed(*outside, "&Open")->isEnabled());
    EXPECT_FALSE(ActionNamed(*outside, "Open in &New Chart")->isEnabled());
    QAction* byName = ActionNamed(*outside, "Order by &Name");
    EXPECT_FALSE(byName->isChecked());
    byName->trigger();
    EXPECT_TRUE(bar.Settings().byName);
    EXPECT_EQ(bar.Symbols().Label(0), "Acme Extra Holdings");
    EXPECT_TRUE(ActionNamed(*bar.MakeListMenu(0), "Order by &Name")->isChecked());
}

TEST_F(NameBarFolders, FavouritesMenuAddsTheChartSymbolDeletesAndOpensTheOrganiser) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    auto* tree = bar.findChild<QTreeWidget*>("favoritesTree");
    {
        // No chart: nothing to add.
        std::unique_ptr<QMenu> menu = bar.MakeFavouritesMenu();
        EXPECT_FALSE(menu->findChild<QMenu*>("addTo")->isEnabled());
        EXPECT_FALSE(ActionNamed(*menu, "&Delete")->isEnabled());
    }
    bar.activeChart = [] { return std::optional<CFavourites::SEntry>({"ACME", "", "US"}); };
    std::unique_ptr<QMenu> menu = bar.MakeFavouritesMenu();
    auto* add = menu->findChild<QMenu*>("addTo");
    EXPECT_EQ(add->title(), "&Add ACME to");
    ASSERT_TRUE(add->isEnabled());
    ASSERT_EQ(add->actions().size(), 1);
    add->actions()[0]->trigger();
    std::string expected(512, '\0');
    expected.replace(0, 4, "ACME");
    expected.replace(16, 15, "Zeta Acme Tools");
    expected.replace(256, 2, "US");
    EXPECT_EQ(Slurp(root / "fav/Tech/list.dat"), expected);
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);

    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    std::unique_ptr<QMenu> onEntry = bar.MakeFavouritesMenu();
    ASSERT_TRUE(ActionNamed(*onEntry, "&Delete")->isEnabled());
    ActionNamed(*onEntry, "&Delete")->trigger();
    EXPECT_EQ(Slurp(root / "fav/Tech/list.dat"), "");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);

    // The organiser renames the group; the page shows it when the organiser is done.
    std::vector<unsigned> commands;
    bar.onCommand = [&](unsigned id) {
        commands.push_back(id);
        fs::rename(root / "fav/Tech", root / "fav/Work");
    };
    ActionNamed(*onEntry, "&Organize Favorites...")->trigger();
    EXPECT_EQ(commands, (std::vector<unsigned>{33030}));
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Work");
}

} // namespace

namespace {

TEST_F(NameBarFolders, TabWalksFromTheMarketsToTheFieldToTheList) {
    CStockNameBar bar;
    bar.Open(Folders(), {0, false});
    bar.show();
    QApplication::setActiveWindow(&bar);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bar));
    auto* markets = bar.findChild<QComboBox*>("marketBox");
    markets->setFocus();
    // The keyboard changes the market too.
    QTest::keyClick(markets, Qt::Key_Down);
    EXPECT_EQ(bar.Market(), "HK");
    EXPECT_EQ(bar.Symbols().Count(), 1u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &bar.SymbolField());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), bar.findChild<QTreeView*>("symbolList"));
}

} // namespace
