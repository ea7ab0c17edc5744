#include "../../ctlkit/TestFiles.h"
#include "app/FrameCommands.h"
#include "app/ProgramMenus.h"
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CSplashWindow.h"
#include "app/qt/CUserStore.h"
#include "app/qt/CZentriStockApp.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "download/CSymbolDatabase.h"
#include "download/qt/CMarketListUpdate.h"
#include "download/qt/CUpdateListFormset.h"
#include "panels/qt/CStockNameBar.h"
#include "panels/qt/FundPanelWidget.h"
#include "panels/qt/StockInfoPanelWidget.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "gann/qt/CGannGrid.h"
#include "gann/qt/CGannTableWindow.h"
#include "view/CPaneStack.h"
#include <QImage>
#include <QPainter>
#include <QTimer>
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include "view/qt/CPaneWidget.h"
#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Lets posted events and zero timers run (menu rebuilds, tab updates, deferred deletes).
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

std::vector<unsigned> MenuBarCommandIds(QWidget& bar) {
    std::vector<unsigned> ids;
    std::function<void(QWidget&)> walk = [&](QWidget& menu) {
        for (QAction* action : menu.actions()) {
            if (action->menu())
                walk(*action->menu());
            else if (unsigned id = CommandIdOf(*action))
                ids.push_back(id);
        }
    };
    walk(bar);
    return ids;
}

QStringList TopMenuTexts(QMenuBar& bar) {
    QStringList texts;
    for (QAction* action : bar.actions()) texts << action->text();
    return texts;
}

// A program folder copied from the sample installation, without setup.ini unless a test
// writes one, and a scratch per-user store.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        fs::copy(ZS_SAMPLE_DIR, home.Path(), fs::copy_options::recursive);
        fs::remove(home.File("setup.ini"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(userDir.Path()));
        store = std::make_unique<CUserStore>();
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
    }
    void TearDown() override { CLanguage::SetFile(""); }

    std::unique_ptr<CMainFrame> MakeFrame() {
        auto frame = std::make_unique<CMainFrame>(*context, loop, *store);
        frame->Create();
        return frame;
    }
    // Closes the frame as the window manager would, and reads what it stored.
    void CloseFrame(std::unique_ptr<CMainFrame>& frame) {
        frame->close();
        frame.reset();
        Settle();
        store = std::make_unique<CUserStore>();
    }
    std::string Setup(const char* section, const char* key) {
        CIniReader ini(home.File("setup.ini"));
        return ini.getKeyValue(key, section);
    }

    TempDir home;
    TempDir userDir;
    CRecordingPrompter prompter;
    CScopedPrompter activePrompter{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CModelContext> context;
};

TEST_F(MainFrameTest, FreshInstallationStartsUntranslatedWithNoNameAndStoresSettingsOnClose) {
    auto frame = MakeFrame();
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    frame->ShowRestored();
    Settle();
    EXPECT_EQ(frame->ActiveChild()->Title(), "NoName");
    EXPECT_EQ(frame->windowTitle(), "ZentriStock - [NoName]");
    EXPECT_EQ(
        std::count(prompter.messages.begin(), prompter.messages.end(), "Section doesn't exist"), 1);
    EXPECT_EQ(TopMenuTexts(*frame->menuBar()).front(), "&File");
    CloseFrame(frame);

    for (const char* key : {"BorderColor", "DrawYGrid", "CellMaxX", "CellMaxY"})
        EXPECT_NE(Setup("AXIS_SETTING", key), "") << key;
    EXPECT_EQ(Setup("AXIS_FONT", "FontFaceName") + Setup("LABEL_FONT", "FontFaceName"),
              "ArialArial");
    EXPECT_EQ(Setup("STOCKLINE_SETUP", "DisPeriod"), "400");
    for (const char* key : {"ChartCtrl", "TrendLine", "Symbol", "FiboGan", "Channel"})
        EXPECT_EQ(Setup("ENVIORMENT", key), "0") << key;
    const QStringList pos = QString::fromStdString(store->WindowPos()).split(',');
    EXPECT_EQ(pos.size(), 10);
    EXPECT_FALSE(store->BarState().isEmpty());
}

struct PlacementCase {
    const char* name;
    const char* stored;
    bool startsMaximised;
    QRect geometry; // empty: the default placement
};

class FramePlacement : public MainFrameTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(FramePlacement, StoredRecordDecidesTheStart) {
    const PlacementCase& c = GetParam();
    store->SetWindowPos(c.stored);
    auto frame = MakeFrame();
    frame->ShowRestored();
    Settle();
    EXPECT_EQ(frame->isMaximized(), c.startsMaximised);
    if (!c.geometry.isEmpty())
        EXPECT_EQ(frame->normalGeometry(), c.geometry);
    else
        EXPECT_EQ(frame->normalGeometry().size(), QSize(1024, 720));
}

INSTANTIATE_TEST_SUITE_P(
    Records, FramePlacement,
    ::testing::Values(
        PlacementCase{"normal", "0,1,-1,-1,-1,-1,40,30,840,630", false, QRect(40, 30, 800, 600)},
        PlacementCase{"maximised", "2,3,-1,-1,-1,-1,40,30,840,630", true, QRect(40, 30, 800, 600)},
        PlacementCase{"nine numbers", "0,1,-1,-1,-1,-1,40,30,840", false, QRect()},
        // The offscreen screen is 800 x 800 at the origin: a window far off it comes back.
        PlacementCase{"off every screen", "0,1,-1,-1,-1,-1,5000,4000,5400,4300", false,
                      QRect(400, 500, 400, 300)}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(MainFrameTest, ClosingStoresMaximisedAndMinimisedAsShowState3) {
    for (bool minimise : {false, true}) {
        auto frame = MakeFrame();
        frame->showMaximized();
        if (minimise) frame->showMinimized();
        Settle();
        CloseFrame(frame);
        const QStringList pos = QString::fromStdString(store->WindowPos()).split(',');
        ASSERT_EQ(pos.size(), 10);
        EXPECT_EQ(pos[1], "3") << minimise;
    }
}

TEST_F(MainFrameTest, ToolBoxesFollowTheirFlagsAcrossARestart) {
    auto frame = MakeFrame();
    for (unsigned id : {kCmdViewChartControl, kCmdViewTrendLine, kCmdViewChannel, kCmdViewFiboGan,
                        kCmdViewSymbol})
        EXPECT_TRUE(frame->ToolBarOf(id)->isHidden()) << "absent flag hides " << id;
    for (unsigned id : {kCmdViewChartControl, kCmdViewTrendLine, kCmdViewChannel, kCmdViewSymbol})
        frame->OnCommand(id);
    frame->show();
    CloseFrame(frame);
    EXPECT_EQ(Setup("ENVIORMENT", "FiboGan"), "0");
    EXPECT_EQ(Setup("ENVIORMENT", "Channel"), "1");

    frame = MakeFrame();
    EXPECT_TRUE(frame->ToolBarOf(kCmdViewFiboGan)->isHidden());
    EXPECT_FALSE(frame->ToolBarOf(kCmdViewChannel)->isHidden());
    EXPECT_FALSE(frame->ToolBarOf(kCmdViewToolbar)->isHidden());
}

TEST_F(MainFrameTest, MenuBarSwitchesWithTheFirstAndLastChartAndTranslates) {
    auto frame = MakeFrame();
    frame->show();
    EXPECT_EQ(MenuBarCommandIds(*frame->menuBar()), MenuCommandIds(FrameMenu()));

    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    EXPECT_TRUE(frame->ShowsChartMenu());
    EXPECT_EQ(MenuBarCommandIds(*frame->menuBar()), MenuCommandIds(ChartWindowMenu()));

    frame->MdiArea().closeAllSubWindows();
    Settle();
    EXPECT_FALSE(frame->ShowsChartMenu());
    EXPECT_EQ(MenuBarCommandIds(*frame->menuBar()), MenuCommandIds(FrameMenu()));

    WriteText(home.File("Lng/Test.lng"), "[169]\n|1=Bearbeiten\n32771=Namen\n");
    CLanguage::SetFile(home.File("Lng/Test.lng"));
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    EXPECT_EQ(TopMenuTexts(*frame->menuBar())[1], "Bearbeiten");
    EXPECT_EQ(FindCommandAction(*frame, kCmdViewNamePanel)->text(), "Namen");

    CLanguage::SetFile("");
    frame->MdiArea().closeAllSubWindows();
    Settle();
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    EXPECT_EQ(TopMenuTexts(*frame->menuBar())[1], "&Edit");
    EXPECT_EQ(FindCommandAction(*frame, kCmdViewNamePanel)->text(), "Stock &Name Panel");
}

TEST_F(MainFrameTest, EachChartHasATabThatFollowsActivationAndClosesOnMiddleClick) {
    auto frame = MakeFrame();
    frame->show();
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    ASSERT_TRUE(frame->OnChartFileNamed(home.File("chart/ACME.cht")));
    Settle();
    QTabBar& tabs = frame->ChartTabs();
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.tabText(0), "NoName");
    EXPECT_EQ(tabs.tabText(1), "ACME");
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(frame->RecentFiles().Entries().front(), home.File("chart/ACME.cht"));

    tabs.setCurrentIndex(0);
    EXPECT_EQ(frame->ActiveChild()->Title(), "NoName");
    QTest::mouseClick(&tabs, Qt::MiddleButton, {}, tabs.tabRect(0).center());
    Settle();
    ASSERT_EQ(tabs.count(), 1);
    EXPECT_EQ(tabs.tabText(0), "ACME");
    EXPECT_EQ(frame->ChildCount(), 1);
}

TEST_F(MainFrameTest, DamagedChartIsToldAndTheFrameStaysEmpty) {
    WriteText(home.File("chart/bad.cht"), "not a chart");
    auto frame = MakeFrame();
    frame->show();
    EXPECT_FALSE(frame->OnChartFileNamed(home.File("chart/bad.cht")));
    Settle();
    EXPECT_EQ(frame->ChildCount(), 0);
    EXPECT_FALSE(frame->ShowsChartMenu());
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().rfind("The chart file " + home.File("chart/bad.cht"), 0),
              0u);
}

TEST_F(MainFrameTest, ChartCommandsWithoutAChartAskForOne) {
    auto frame = MakeFrame();
    frame->OnCommand(32838); // Zoom In, from the chart control toolbar
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "Please open a child window first.");
    frame->OnCommand(kCmdDataDownloader);
    EXPECT_EQ(prompter.messages.back(),
              "The downloader " + home.File("quotefetch") + " cannot be started.");
}

TEST_F(MainFrameTest, UpdateStockListOpensOneDialogOverTheMarketFileOrTellsWhyNot) {
    auto frame = MakeFrame();
    frame->ShowRestored();
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    // What the chart's creation told of the missing setup.ini is no concern here.
    prompter.messages.clear();
    EXPECT_TRUE(frame->ActiveChild()->Offers(32985));
    for (int twice = 0; twice < 2; ++twice) frame->OnCommand(32985);
    const QList<CUpdateListFormset*> dialogs = frame->findChildren<CUpdateListFormset*>();
    ASSERT_EQ(dialogs.size(), 1);
    CUpdateListFormset* dialog = dialogs.front();
    EXPECT_EQ(frame->ListUpdate().Dialog(), dialog);
    EXPECT_TRUE(dialog->isVisible());
    QStringList labels;
    for (int i = 0; i < dialog->Markets()->count(); ++i)
        labels << dialog->Markets()->item(i)->text();
    EXPECT_EQ(labels, (QStringList{"New York Stock Exchange (NYSE)", "Toronto Stock Exchange (TSX)",
                                   "London Stock Exchange (LSE)"}));
    dialog->close();
    Settle();
    EXPECT_TRUE(frame->findChildren<CUpdateListFormset*>().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());

    // A market file without the suffix column offers nothing: told, and no dialog.
    WriteText(home.File("Index/market.txt"), "Market\tFullName\nNYSE\tNew York Stock Exchange\n");
    frame->OnCommand(32985);
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "No markets to update: the first line is not the header of a market list"}));
    EXPECT_TRUE(frame->findChildren<CUpdateListFormset*>().isEmpty());
    CloseFrame(frame);
}

TEST_F(MainFrameTest, TypedCharacterStartsASymbolEntryOnlyWhileTheNamePanelIsHidden) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CChildFrame* child = frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    QDockWidget* names = frame->DockOf(kCmdViewNamePanel);
    names->hide();
    frame->NamePanel().SetPage(2);
    QTest::keyClick(&child->PaneWidget(0), 'I');
    EXPECT_FALSE(names->isHidden());
    EXPECT_EQ(frame->NamePanel().Page(), 0);
    EXPECT_EQ(frame->NamePanel().SymbolField().text(), "I");
    EXPECT_EQ(QApplication::focusWidget(), &frame->NamePanel().SymbolField());

    child->PaneWidget(0).setFocus();
    QTest::keyClick(&child->PaneWidget(0), Qt::Key_B);
    EXPECT_EQ(frame->NamePanel().SymbolField().text(), "I");
}

TEST_F(MainFrameTest, ChartShortcutsActOnlyInTheChartWindow) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ASSERT_TRUE(frame->OnChartFileNamed(home.File("chart/ACME.cht")));
    Settle();
    CChildFrame* child = frame->ActiveChild();
    CStock& stock = child->Document().Stock();
    const int end = stock.WindowEnd();

    QLineEdit& field = frame->NamePanel().SymbolField();
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_Home);
    EXPECT_EQ(stock.WindowEnd(), end);

    child->PaneWidget(0).setFocus();
    QTest::keyClick(&child->PaneWidget(0), Qt::Key_Home);
    Settle();
    EXPECT_LT(stock.WindowEnd(), end);
}

TEST_F(MainFrameTest, BarNotificationReachesBothPanelsAndClosingForgetsTheSeries) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(frame->OnChartFileNamed(home.File("chart/ACME.cht")));
    Settle();
    CStock& stock = frame->ActiveChild()->Document().Stock();
    frame->OnBarNotification(&stock, 17);
    EXPECT_EQ(frame->InfoPanel().Panel().Series(), &stock);
    EXPECT_EQ(frame->InfoPanel().Panel().BarIndex(), 17);
    EXPECT_EQ(frame->FundPanel().Panel().Series(), &stock);
    EXPECT_EQ(frame->FundPanel().Panel().BarIndex(), 17);

    frame->MdiArea().closeAllSubWindows();
    Settle();
    EXPECT_EQ(frame->InfoPanel().Panel().Series(), nullptr);
    EXPECT_EQ(frame->FundPanel().Panel().Series(), nullptr);
    frame->InfoPanel().repaint();
    frame->FundPanel().repaint();
}

// As a pane sends it: the fund panel paints for the sending chart's price pane, exactly as
// the panel's model paints for that range; a closed chart leaves the caption alone, and
// painting then reads nothing of the chart (ASan watches).
TEST_F(MainFrameTest, FundPanelPaintsForThePricePaneOfTheSendingChart) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(frame->OnChartFileNamed(home.File("chart/ACME.cht")));
    Settle();
    CChildFrame* child = frame->ActiveChild();
    CStock& stock = child->Document().Stock();
    FundPanelWidget& fund = frame->FundPanel();
    EXPECT_GE(fund.minimumHeight(), CFundDistributionPanel::kHeight);
    const int last = static_cast<int>(stock.Display().size()) - 1;
    CZentriStockView& price = child->Panes().View(0);
    // Scaled by hand, so that the pane's range differs from the window's lows and highs.
    price.yMin = stock.VisibleLow() + 1.0f;
    price.yMax = stock.VisibleHigh() - 1.0f;
    ASSERT_TRUE(child->onBarEntered);
    for (int bar : {last, last / 2}) {
        child->onBarEntered(stock, bar);
        EXPECT_EQ(fund.Panel().Series(), &stock);
        EXPECT_EQ(fund.Panel().BarIndex(), bar);
        EXPECT_EQ(fund.ShownRange(), (CFundDistributionPanel::SPriceRange{price.yMin, price.yMax}));
        // The dock lays the panel out: the drawing fills its top at the panel's width.
        const int width = fund.width();
        QImage expected(width, CFundDistributionPanel::kHeight, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            CFundDistributionPanel model;
            model.Show(&stock, bar);
            QPainter painter(&expected);
            QtDC dc(painter);
            model.Paint(dc, width, price.yMin, price.yMax);
        }
        const QImage shown = fund.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(
            0, 0, width, CFundDistributionPanel::kHeight);
        ASSERT_EQ(shown.size(), expected.size());
        EXPECT_EQ(shown, expected) << "bar " << bar;
    }
    EXPECT_GT(fund.Panel().LastPercentage(), 0.0f);

    frame->MdiArea().closeAllSubWindows();
    Settle();
    EXPECT_EQ(fund.Panel().Series(), nullptr);
    EXPECT_EQ(fund.ShownRange(), CFundDistributionPanel::SPriceRange{});
    fund.repaint();
    const QImage caption = fund.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Only the caption: black text above the proportion bar, white everywhere below it.
    int black = 0, other = 0;
    for (int y = 0; y < caption.height(); ++y)
        for (int x = 0; x < caption.width(); ++x) {
            const QRgb pixel = caption.pixel(x, y) & 0xFFFFFF;
            if (y >= CFundDistributionPanel::kBarTop && pixel != 0xFFFFFF) ++other;
            if (y < CFundDistributionPanel::kBarTop && pixel == 0) ++black;
        }
    EXPECT_EQ(other, 0);
    EXPECT_GT(black, 10);
}

// F3 in a chart, and the Tools menu item, which is enabled: the modal table window.
TEST_F(MainFrameTest, GannTableOpensModallyFromF3AndTheToolsMenu) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ASSERT_TRUE(frame->OnChartFileNamed(home.File("chart/ACME.cht")));
    Settle();
    CChildFrame* child = frame->ActiveChild();
    QAction* item = FindCommandAction(*frame, 32973);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_TRUE(child->Offers(32973));
    std::vector<std::string> opened;
    const std::function<void()> ways[] = {
        [&] {
            child->PaneWidget(0).setFocus();
            QTest::keyClick(&child->PaneWidget(0), Qt::Key_F3);
        },
        [&] { frame->OnCommand(32973); },
    };
    for (const auto& open : ways) {
        QTimer::singleShot(50, frame.get(), [&] {
            auto* table = dynamic_cast<CGannTableWindow*>(QApplication::activeModalWidget());
            if (!table) return;
            opened.push_back(table->windowTitle().toStdString() + " " +
                             std::to_string(table->Grid().Table()->Rows()));
            table->OnCommand(CGannTableWindow::kCmdExit);
        });
        open();
        Settle();
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"Gann Table 14", "Gann Table 14"}));
}

TEST_F(MainFrameTest, RightClickOnAToolbarShowsTheBarToggles) {
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QToolBar* bar = frame->ToolBarOf(kCmdViewToolbar);
    const QPoint at = bar->rect().bottomRight() - QPoint(3, 3);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
    QApplication::sendEvent(bar, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuBarCommandIds(*menu), MenuCommandIds(ToolbarContextMenu()));
    for (QAction* action : menu->actions()) {
        const unsigned id = CommandIdOf(*action);
        if (id == kCmdViewFiboGan) {
            EXPECT_FALSE(action->isChecked());
        }
        if (id == kCmdViewToolbar) {
            EXPECT_TRUE(action->isChecked());
        }
    }
    menu->close();
}

TEST_F(MainFrameTest, RegistrationSwitchesExitBeforeAnyWindow) {
    for (const char* word : {"/RegServer", "-unregserver"}) {
        const int before = QApplication::topLevelWidgets().size();
        EXPECT_EQ(CZentriStockApp::Run(CommandLine::Parse({word})), 0);
        EXPECT_EQ(QApplication::topLevelWidgets().size(), before) << word;
    }
}

TEST_F(MainFrameTest, TwentyChartsOpenAndAllCloseBackToTheFrameMenu) {
    auto frame = MakeFrame();
    frame->show();
    for (int i = 0; i < 20; ++i) frame->OnCommand(kCmdFileNew);
    Settle();
    EXPECT_EQ(frame->ChildCount(), 20);
    EXPECT_EQ(frame->ChartTabs().count(), 20);
    frame->MdiArea().closeAllSubWindows();
    Settle();
    EXPECT_EQ(frame->ChildCount(), 0);
    EXPECT_FALSE(frame->ChartTabs().isVisible());
    EXPECT_FALSE(frame->ShowsChartMenu());
}

TEST_F(MainFrameTest, RecentFileThatIsGoneLeavesTheListWithAMessage) {
    WriteText(home.File("chart/gone.cht"), "");
    CRecentFileList recent;
    recent.Add(home.File("chart/ACME.cht"));
    recent.Add(home.File("chart/gone.cht"));
    store->SaveRecentFiles(recent);
    fs::remove(home.File("chart/gone.cht"));
    auto frame = MakeFrame();
    frame->OnCommand(kCmdRecentFile1);
    EXPECT_EQ(frame->RecentFiles().Entries(),
              std::vector<std::string>{home.File("chart/ACME.cht")});
    EXPECT_EQ(prompter.messages.back(), "The file " + home.File("chart/gone.cht") +
                                            " no longer exists; it was removed from the list.");
    frame->OnCommand(kCmdRecentFile1);
    Settle();
    EXPECT_EQ(frame->ActiveChild()->Title(), "ACME");
}

TEST_F(MainFrameTest, WebCommandsShowOnlyWithAnAddress) {
    WriteText(home.File("setup.ini"), "[DOWNLOAD]\nHomePage=https://example.org/\n");
    auto frame = MakeFrame();
    frame->OpenDocument(CZentriStockDoc::NewChart(*context));
    Settle();
    ASSERT_TRUE(frame->ShowsChartMenu());
    for (unsigned id : {kCmdVisitHomePage, kCmdVisitForum})
        ASSERT_NE(FindCommandAction(*frame, id), nullptr) << id;
    EXPECT_TRUE(FindCommandAction(*frame, kCmdVisitHomePage)->isVisible());
    EXPECT_FALSE(FindCommandAction(*frame, kCmdVisitForum)->isVisible());
}

TEST(SplashWindow, ClosesAtTheFirstPressOrSoonAfterTheFrameShows) {
    CSplashWindow pressed;
    pressed.show();
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_A);
    EXPECT_FALSE(pressed.isVisible());

    CSplashWindow clicked;
    clicked.show();
    QTest::mouseClick(&other, Qt::LeftButton);
    EXPECT_FALSE(clicked.isVisible());

    CSplashWindow timed;
    timed.show();
    timed.CloseSoon(20);
    EXPECT_TRUE(timed.isVisible());
    QTest::qWait(60);
    EXPECT_FALSE(timed.isVisible());
}

} // namespace

namespace {

TEST_F(MainFrameTest, NamePanelListsTheSampleMarketsAndPickingASymbolOpensItsChart) {
    // A symbol the database knows but whose quote file is missing.
    std::ofstream(home.File("System/NYSE.Dat"), std::ios::binary | std::ios::app)
        << CSymbolDatabase::MakeRecord("GHST", "Ghost Holdings");
    CIniReader(home.File("setup.ini")).setKeyNum(0, "MarIndex", "ALL_NAMEBAR");
    CIniReader(home.File("setup.ini")).setKeyBool(true, "ByName", "ALL_NAMEBAR");
    auto frame = MakeFrame();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    CStockNameBar& bar = frame->NamePanel();
    EXPECT_EQ(bar.Markets().Codes(), (std::vector<std::string>{"NYSE", "TSX", "LSE"}));
    ASSERT_EQ(bar.Symbols().Count(), 5u);
    EXPECT_EQ(bar.Symbols().Label(0), "Acme Corporation");

    // No chart open: a new one.
    bar.SymbolField().setText("acme");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    Settle();
    ASSERT_EQ(frame->ChildCount(), 1);
    CChildFrame* first = frame->ActiveChild();
    EXPECT_EQ(first->Document().Symbol(), "ACME");
    EXPECT_EQ(first->Document().Market(), "NYSE");
    EXPECT_GT(first->Document().Stock().WindowEnd(), 100);

    // A chart open: the double click loads into it.
    auto* list = bar.findChild<QTreeView*>("symbolList");
    const QModelIndex crown = list->model()->index(1, 0);
    ASSERT_EQ(crown.data().toString(), "Boltor Industries Inc");
    list->scrollTo(crown);
    ASSERT_TRUE(list->isVisible());
    const QPoint at = list->visualRect(crown).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    Settle();
    EXPECT_EQ(frame->ChildCount(), 1);
    EXPECT_EQ(first->Document().Symbol(), "BLTR");
    EXPECT_EQ(frame->ActiveChild()->Title(), "BLTR");

    // Ctrl+Enter: a chart of its own.
    bar.SymbolField().setText("DYNA");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return, Qt::ControlModifier);
    Settle();
    ASSERT_EQ(frame->ChildCount(), 2);
    EXPECT_EQ(frame->ActiveChild()->Document().Symbol(), "DYNA");
    EXPECT_EQ(first->Document().Symbol(), "BLTR");

    // The missing quote file leads to the download question; No keeps the chart.
    bar.SymbolField().setText("GHST");
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    QTest::keyClick(&bar.SymbolField(), Qt::Key_Return);
    Settle();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0],
              "The data file of the selected stock is not exist.\nClick yes to download the data.");
    EXPECT_EQ(frame->ActiveChild()->Document().Symbol(), "DYNA");

    // The market and order are stored on closing.
    bar.SelectMarket(2);
    bar.SetByName(false);
    CloseFrame(frame);
    EXPECT_EQ(Setup("ALL_NAMEBAR", "MarIndex"), "2");
    EXPECT_EQ(Setup("ALL_NAMEBAR", "ByName"), "0");
}

} // namespace
