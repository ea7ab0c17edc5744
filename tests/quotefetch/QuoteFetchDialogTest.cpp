#include "FakeTray.h"
#include "FetchModelFixture.h"
#include "ImportTestSupport.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "quotefetch/TrayMenu.h"
#include "quotefetch/qt/CQuoteFetchDialog.h"
#include "quotefetch/qt/CSystemTray.h"
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 30);
const SSelectedStock kA{"NYSE", "AAA"};
const SSelectedStock kB{"NYSE", "BBB"};

std::vector<std::string> LogOf(const CQuoteFetchDialog& dialog) {
    std::vector<std::string> lines;
    for (int i = 0; i < dialog.Log()->count(); ++i)
        lines.push_back(dialog.Log()->item(i)->text().toStdString());
    return lines;
}

// The window over the test server, its jobs reaching it through Qt's event loop.
class QuoteFetchDialogTest : public FetchModelFixture {
public:
    void TearDown() override {
        dialog.reset();
        FetchModelFixture::TearDown();
    }
    // The window with the tray given; the other windows' hooks count their calls.
    void Open(CDownloaderTray& tray) {
        dialog = std::make_unique<CQuoteFetchDialog>(*model, tray);
        dialog->selectStocks = [this](QWidget&) {
            ++selects;
            ASSERT_TRUE(selection->Assign({kA, kB}).ok());
        };
        dialog->askImport = [this](QWidget&) { return request; };
        dialog->showAbout = [this](QWidget&) { ++abouts; };
        dialog->onClosed = [this] { ++closes; };
        dialog->Open();
        QApplication::processEvents();
    }
    bool WaitUntil(const std::function<bool()>& done) {
        return QTest::qWaitFor(done, 30000);
    }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QtLoopBridge bridge{loop};
    // The trays outlive the dialog, which removes its icon when it goes.
    CFakeTray fakeTray;
    CSystemTray systemTray;
    std::unique_ptr<CQuoteFetchDialog> dialog;
    CRecordingPrompter prompter;
    CScopedPrompter active{prompter};
    std::optional<SImportRequest> request;
    int selects = 0, abouts = 0, closes = 0;
};
} // namespace

TEST_F(QuoteFetchDialogTest, WithoutTrayTheWindowStaysShownAndTheRefusalIsLoggedOnce) {
    CSystemTray& tray = systemTray;
    ASSERT_FALSE(tray.Available()); // the offscreen platform has no tray
    Open(tray);
    EXPECT_EQ(dialog->windowTitle(), "ZentriStock Data Downloader");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Tray().InTray());
    dialog->showMinimized();
    QApplication::processEvents();
    dialog->showNormal();
    dialog->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(tray.HasIcon());
    EXPECT_EQ(LogOf(*dialog), std::vector<std::string>{"Unable to Set Tary Icon"});
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(QuoteFetchDialogTest, RealTrayMenuIsMenu636WithItsCommandsTranslatable) {
    CSystemTray& tray = systemTray;
    ASSERT_TRUE(tray.LoadMenu());
    std::vector<std::string> texts;
    for (QAction* action : tray.Menu()->actions()) texts.push_back(action->text().toStdString());
    EXPECT_EQ(texts, (std::vector<std::string>{"&Restore", "S&top", "&Start", "", "&Close",
                                                "&About Downloader..."}));
    std::vector<unsigned> chosen;
    tray.SetHandlers(nullptr, [&](unsigned command) { chosen.push_back(command); });
    tray.Menu()->actions().at(4)->trigger();
    EXPECT_EQ(chosen, std::vector<unsigned>{kTrayClose});
}

TEST_F(QuoteFetchDialogTest, EveryTrayMenuCommandThroughTheTray) {
    CFakeTray& tray = fakeTray;
    Open(tray);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->isMinimized());
    EXPECT_TRUE(tray.icon);
    EXPECT_EQ(tray.calls, (std::vector<std::string>{"add", "menu"}));

    tray.Click(CDownloaderTray::EEvent::RightButtonUp);
    EXPECT_EQ(tray.calls.back(), "show-menu");
    // Start with nothing selected says so; Stop without a run does nothing.
    tray.Choose(kTrayStart);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"No stock selected."});
    tray.Choose(kTrayStop);
    EXPECT_FALSE(model->Run().StopRequested());
    tray.Choose(kTrayAbout);
    EXPECT_EQ(abouts, 1);
    EXPECT_FALSE(dialog->isVisible());

    tray.Choose(kTrayRestore);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isMinimized());
    EXPECT_FALSE(tray.icon);

    // Minimising hides it to the tray again; a double click brings it back.
    dialog->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(tray.icon);
    tray.Click(CDownloaderTray::EEvent::LeftDoubleClick);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(tray.icon);
    dialog->showMinimized();
    QApplication::processEvents();

    tray.Choose(kTrayClose);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(tray.icon);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(model->Window()->Detached());
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(QuoteFetchDialogTest, TrayStartAndStopDriveARunWhileHidden) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kB.symbol, QuoteText(kService));
    ASSERT_TRUE(selection->Assign({kA, kB}).ok());
    CFakeTray& tray = fakeTray;
    Open(tray);
    server->SetFault("drip", 1);
    tray.Choose(kTrayStart);
    EXPECT_TRUE(model->Run().Running());
    tray.Choose(kTrayStop);
    EXPECT_TRUE(model->Run().StopRequested());
    ASSERT_TRUE(WaitUntil([&] { return !model->Run().Running(); }));
    EXPECT_EQ(LogOf(*dialog),
              (std::vector<std::string>{"AAA (NYSE) is downloading.", "Download stopped."}));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(QuoteFetchDialogTest, RunThroughTheWindowLogsRecordsMovesTheBarAndStopWaitsForTheJob) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kB.symbol, QuoteText(kService));
    CFakeTray& tray = fakeTray;
    tray.available = false;
    Open(tray);
    EXPECT_EQ(dialog->CountLine()->text(), "0 stocks selected.");
    EXPECT_FALSE(dialog->StopButton()->isEnabled());
    Click(dialog->SelectButton());
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(dialog->CountLine()->text(), "2 stocks selected.");

    Click(dialog->StartButton());
    EXPECT_FALSE(dialog->StartButton()->isEnabled());
    EXPECT_FALSE(dialog->SelectButton()->isEnabled());
    EXPECT_FALSE(dialog->ImportButton()->isEnabled());
    EXPECT_TRUE(dialog->StopButton()->isEnabled());
    EXPECT_EQ(dialog->Progress()->minimum(), 0);
    EXPECT_EQ(dialog->Progress()->maximum(), 2);
    EXPECT_EQ(dialog->Progress()->value(), 0);
    ASSERT_TRUE(WaitUntil([&] { return dialog->StartButton()->isEnabled(); }));
    EXPECT_EQ(LogOf(*dialog), (std::vector<std::string>{"Unable to Set Tary Icon",
                                                        "AAA (NYSE) is downloading.",
                                                        "BBB (NYSE) is downloading.",
                                                        "Download finished."}));
    EXPECT_EQ(dialog->Progress()->value(), 2);
    EXPECT_TRUE(dialog->SelectButton()->isEnabled());
    EXPECT_FALSE(dialog->StopButton()->isEnabled());

    // Stop while the first job drips in: Start stays disabled until the job has reported.
    // Up-to-date files ask nothing, so the second run starts from empty folders.
    std::filesystem::remove_all(dataFolder);
    server->SetFault("drip", 1);
    Click(dialog->StartButton());
    ASSERT_TRUE(WaitUntil([&] { return server->Requests() >= 3; }));
    Click(dialog->StopButton());
    EXPECT_FALSE(dialog->StopButton()->isEnabled());
    EXPECT_FALSE(dialog->StartButton()->isEnabled());
    Click(dialog->StartButton());
    EXPECT_FALSE(model->Run().JobPending() && LogOf(*dialog).size() != 5u);
    ASSERT_TRUE(WaitUntil([&] { return dialog->StartButton()->isEnabled(); }));
    EXPECT_EQ(LogOf(*dialog).back(), "Download stopped.");
    EXPECT_EQ(LogOf(*dialog).at(4), "AAA (NYSE) is downloading.");
    EXPECT_EQ(LogOf(*dialog).size(), 6u);
    EXPECT_EQ(dialog->Progress()->value(), 1);
    EXPECT_EQ(server->Requests(), 3);
    EXPECT_EQ(dialog->StatusText()->text(), "");
}

TEST_F(QuoteFetchDialogTest, ImportThroughTheWindowReachesTheImporterAndLogsPerFileCounts) {
    WriteImportText(home + "/in/a.txt", "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n");
    std::filesystem::create_directories(dataFolder + "NYSE");
    ASSERT_TRUE(WriteTextFile(dataFolder + "NYSE/IBM.N.csv",
                              kQuoteHeader + "5-Jan-05,1,1,1,1,1,1\n"));
    CFakeTray& tray = fakeTray;
    tray.available = false;
    Open(tray);
    // A cancelled import dialog starts nothing.
    Click(dialog->ImportButton());
    EXPECT_TRUE(dialog->StartButton()->isEnabled());
    EXPECT_EQ(LogOf(*dialog).size(), 1u);

    for (bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        request = SImportRequest{};
        request->files = {home + "/in/a.txt"};
        request->options.market = "NYSE";
        request->options.suffix = ".N";
        request->options.replaceExisting = replace;
        Click(dialog->ImportButton());
        EXPECT_FALSE(dialog->ImportButton()->isEnabled());
        ASSERT_TRUE(WaitUntil([&] { return dialog->ImportButton()->isEnabled(); }));
        EXPECT_EQ(LogOf(*dialog).back(),
                  replace ? "a.txt: imported, 0 added, 1 replaced, 0 kept, 0 skipped, 0 bad lines"
                          : "a.txt: imported, 0 added, 0 replaced, 1 kept, 1 skipped, 0 bad lines");
        EXPECT_EQ(dialog->Progress()->maximum(), 1);
        EXPECT_EQ(dialog->Progress()->value(), 1);
    }
    EXPECT_EQ(ReadImportText(dataFolder + "NYSE/IBM.N.csv"),
              kQuoteHeader + "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n");
}

TEST_F(QuoteFetchDialogTest, EscapeLeavesTheWindowOpenAndCloseEndsTheProgram) {
    CFakeTray& tray = fakeTray;
    tray.available = false;
    Open(tray);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(closes, 0);
    dialog->close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(QuoteFetchDialogTest, ButtonsWithoutTheirWindowAreDisabledAndTabbingReachesEveryButton) {
    CFakeTray& tray = fakeTray;
    tray.available = false;
    dialog = std::make_unique<CQuoteFetchDialog>(*model, tray);
    dialog->Open();
    EXPECT_TRUE(dialog->StartButton()->isEnabled());
    EXPECT_FALSE(dialog->SelectButton()->isEnabled());
    EXPECT_FALSE(dialog->ImportButton()->isEnabled());
    EXPECT_FALSE(dialog->AboutButton()->isEnabled());
    dialog->showAbout = [](QWidget&) {};
    dialog->Refresh();
    EXPECT_TRUE(dialog->AboutButton()->isEnabled());
    const std::vector<QWidget*> order = {dialog->StartButton(), dialog->AboutButton(),
                                         dialog->Log()};
    QWidget* widget = dialog->StartButton();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 4; ++i) {
        reached.push_back(widget);
        widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isEnabled())
            widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(reached.at(0), dialog->StartButton());
    EXPECT_EQ(reached.at(1), dialog->AboutButton());
    EXPECT_EQ(reached.at(2), dialog->Log());
    EXPECT_EQ(reached.at(3), dialog->StartButton());
}
