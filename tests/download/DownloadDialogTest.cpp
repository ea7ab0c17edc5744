#include "CTestServer.h"
#include "DownloadTestSupport.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/jobs/qt/CDownloadDialogs.h"
#include "ctlkit/jobs/qt/CFormsetDownloading.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "ctlkit/lang/CLanguage.h"
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// Every download dialog that exists now, shown or not.
std::vector<CFormsetDownloading*> DownloadDialogs() {
    std::vector<CFormsetDownloading*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = dynamic_cast<CFormsetDownloading*>(widget)) found.push_back(dialog);
    return found;
}

CFormsetDownloading* DialogTitled(const std::string& title) {
    for (CFormsetDownloading* dialog : DownloadDialogs())
        if (dialog->windowTitle().toStdString() == title) return dialog;
    return nullptr;
}

// Lets deleteLater and the loop's tasks happen; true once `done`, false after `limit`.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    return QTest::qWaitFor(done, static_cast<int>(limit.count()));
}

const std::string kTitle = "IBM Data DownLoading running";

} // namespace

// A chart window's downloads as the program has them: the document and its downloads, the
// loop carried out on Qt's GUI thread and the window's own dialogs, against the test server.
class DownloadDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        home = MakeTempFolder("dialog");
        dataFolder = home + "/Data/";
        std::filesystem::create_directories(dataFolder + "NYSE");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        scoped = std::make_unique<CScopedPrompter>(prompter);
        bridge = std::make_unique<QtLoopBridge>(loop);
        context = std::make_unique<CModelContext>(CInstallPaths(home), prompter);
        context->Settings().setKey(server->BaseUrl(), "QuoteServer", "DOWNLOAD");
        document = std::make_unique<CZentriStockDoc>(*context);
        downloads = std::make_unique<CDocumentDownloads>(*document, loop, 0ms);
        downloads->SetTimeOut(30000);
        downloads->SetReloaded([this] { ++reloads; });
        downloads->SetOtherSymbolDownloaded(
            [this](const std::string& ticker) { otherSymbols.push_back(ticker); });
        dialogs = std::make_unique<CDownloadDialogs>(home + "/");
        downloads->SetWindowProgress(dialogs->Factory());
    }
    void TearDown() override {
        // The chart window's order: its dialogs, then its downloads, then the document.
        dialogs.reset();
        downloads.reset();
        document.reset();
        WaitFor([] { return DownloadDialogs().empty(); }, 2s);
        EXPECT_TRUE(DownloadDialogs().empty());
        bridge.reset();
        loop.RunPending();
        scoped.reset();
        server.reset();
        RemoveTree(home);
    }

    std::string QuoteFile(const std::string& ticker) {
        return dataFolder + "NYSE/" + ticker + ".csv";
    }

    std::string home, dataFolder;
    std::unique_ptr<CTestServer> server;
    CRecordingPrompter prompter;
    std::unique_ptr<CScopedPrompter> scoped;
    CUiThreadLoop loop;
    std::unique_ptr<QtLoopBridge> bridge;
    std::unique_ptr<CModelContext> context;
    std::unique_ptr<CZentriStockDoc> document;
    std::unique_ptr<CDocumentDownloads> downloads;
    std::unique_ptr<CDownloadDialogs> dialogs;
    int reloads = 0;
    std::vector<std::string> otherSymbols;
};

TEST_F(DownloadDialogTest, YesShowsTheTitledDialogWritesTheFileAndReloadsTheChart) {
    const std::string history = QuoteText(WeekdayLines(2005, 3, 4, 30));
    server->PutQuotes("IBM", history);
    server->SetFault("drip", 1); // about a second: long enough to see the dialog
    prompter.answer = true;
    EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
    ASSERT_TRUE(WaitFor([] { return DialogTitled(kTitle) != nullptr; }));
    QPointer<CFormsetDownloading> dialog = DialogTitled(kTitle);
    EXPECT_EQ(dialogs->OpenCount(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_FALSE(dialog->Animated()) << "no System/filecopy.gif in this installation";
    ASSERT_TRUE(WaitFor([&] { return dialog && dialog->StatusText().startsWith("Read "); }));

    ASSERT_TRUE(WaitFor([&] { return reloads == 1; }, 30s));
    EXPECT_EQ(ReadTextFile(QuoteFile("IBM")), history);
    EXPECT_EQ(document->Symbol(), "IBM");
    EXPECT_EQ(document->Stock().Display().size(), 30u);
    EXPECT_TRUE(otherSymbols.empty());
    EXPECT_TRUE(prompter.messages.empty());
    // The job closes its dialog when it ends, and lets go of it.
    ASSERT_TRUE(WaitFor([&] { return dialog.isNull(); }));
    EXPECT_EQ(dialogs->OpenCount(), 0);
}

TEST_F(DownloadDialogTest, NoQueuesNothingAndOpensNoDialog) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = false;
    EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
    EXPECT_EQ(prompter.questions.size(), 1u);
    QTest::qWait(200);
    EXPECT_EQ(dialogs->OpenCount(), 0);
    EXPECT_TRUE(DownloadDialogs().empty());
    EXPECT_EQ(server->Requests(), 0);
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("IBM")));
    EXPECT_EQ(document->Stock().Display().size(), 1u) << "the new chart's placeholder bar only";
    EXPECT_EQ(reloads, 0);
}

// Both pool threads drip; "Cancel" on one dialog ends its transfer at once and frees its
// thread, so the next download of the chart starts while the other still drips.
TEST_F(DownloadDialogTest, CancelEndsTheTransferAtOnceAndFreesItsPoolThread) {
    WriteTextFile(QuoteFile("MSFT"), QuoteText(WeekdayLines(2005, 3, 4, 12)));
    server->PutQuotes("MSFT", QuoteText(WeekdayLines(2005, 3, 4, 400))); // about 14 s dripped
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 400)));
    ASSERT_TRUE(document->OpenSymbol("MSFT", "NYSE"));
    server->SetFault("drip", 2);
    prompter.answer = true;
    ASSERT_TRUE(downloads->ReDownload());
    EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
    ASSERT_TRUE(WaitFor([] { return DialogTitled(kTitle) != nullptr; }));
    QPointer<CFormsetDownloading> ibm = DialogTitled(kTitle);
    ASSERT_TRUE(WaitFor([&] { return ibm && ibm->StatusText().startsWith("Read "); }));
    ASSERT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 2; }));

    const auto clicked = std::chrono::steady_clock::now();
    QTest::mouseClick(ibm->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(ibm->isVisible()) << "Cancel hides the dialog at once";
    EXPECT_TRUE(ibm->IsCancelled());
    ASSERT_TRUE(WaitFor([&] { return ibm.isNull(); }, 5s)) << "the job ended";
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, 1s);
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("IBM")));
    EXPECT_TRUE(prompter.messages.empty());

    // The renewal takes the freed thread: it ends long before the redownload has dripped.
    const long requests = server->Requests();
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(downloads->UpdateEodData());
    ASSERT_TRUE(WaitFor([&] { return reloads == 1; }, 5s));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 3s);
    EXPECT_EQ(server->Requests(), requests + 1);
    EXPECT_EQ(document->Symbol(), "MSFT");
    EXPECT_EQ(document->Stock().Display().size(), 12u) << "nothing newer than the local file";
    EXPECT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 1; }, 2s))
        << "only the redownload, which still drips, shows its dialog";
    EXPECT_EQ(reloads, 1);
}

// Closing the chart during a transfer that hangs (the server sends nothing, the time-out is
// 30 s): the window's dialogs go first or its downloads go first, as the window is torn down.
TEST_F(DownloadDialogTest, ClosingTheChartDuringAHangingTransferLeavesNoDialogAndDoesNotWait) {
    for (bool dialogsFirst : {true, false}) {
        SCOPED_TRACE(dialogsFirst ? "dialogs first" : "downloads first");
        if (!document) {
            document = std::make_unique<CZentriStockDoc>(*context);
            downloads = std::make_unique<CDocumentDownloads>(*document, loop, 0ms);
            downloads->SetTimeOut(30000);
            dialogs = std::make_unique<CDownloadDialogs>(home + "/");
            downloads->SetWindowProgress(dialogs->Factory());
        }
        server->SetFault("hang");
        prompter.answer = true;
        const long requests = server->Requests();
        EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
        ASSERT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 1; }));
        ASSERT_TRUE(WaitFor([&] { return server->Requests() == requests + 1; }));

        const auto closing = std::chrono::steady_clock::now();
        if (dialogsFirst) {
            dialogs.reset();
            EXPECT_TRUE(DownloadDialogs().empty());
            QTest::qWait(50); // the job meets its closed dialog
            downloads.reset();
        } else {
            downloads.reset();
            // The ended job lets go of its dialog on the GUI thread, which closes it.
            EXPECT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 0; }, 2s));
            dialogs.reset();
        }
        document.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - closing, 3s);
        EXPECT_TRUE(WaitFor([] { return DownloadDialogs().empty(); }, 2s));
        EXPECT_FALSE(std::filesystem::exists(QuoteFile("IBM")));
        EXPECT_EQ(reloads, 0);
        server->SetFault("none");
    }
}

// Closing the dialogs sets their flags, so hanging transfers stop without the queue going
// away: both pool threads hang, and after the close the chart's next download starts at once.
TEST_F(DownloadDialogTest, ClosingTheDialogsEndsHangingTransfersAndFreesTheirThreads) {
    WriteTextFile(QuoteFile("MSFT"), QuoteText(WeekdayLines(2005, 3, 4, 12)));
    server->PutQuotes("MSFT", QuoteText(WeekdayLines(2005, 3, 4, 20)));
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    ASSERT_TRUE(document->OpenSymbol("MSFT", "NYSE"));
    server->SetFault("hang", 2);
    prompter.answer = true;
    ASSERT_TRUE(downloads->ReDownload());
    EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
    ASSERT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 2; }));
    ASSERT_TRUE(WaitFor([&] { return server->Requests() == 2; }));

    dialogs->CloseAll();
    EXPECT_EQ(dialogs->OpenCount(), 0);
    EXPECT_TRUE(DownloadDialogs().empty());
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(downloads->UpdateEodData());
    ASSERT_TRUE(WaitFor([&] { return reloads == 1; }, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 3s);
    EXPECT_EQ(server->Requests(), 3);
    EXPECT_EQ(document->Stock().Display().size(), 12u);
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("IBM")));
    EXPECT_TRUE(prompter.messages.empty());
}

// The result of a download for a chart that has moved on is only told.
TEST_F(DownloadDialogTest, AResultForAChartSwitchedToAnotherSymbolIsOnlyTold) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    server->SetFault("drip", 1);
    WriteTextFile(QuoteFile("MSFT"), QuoteText(WeekdayLines(2005, 3, 4, 12)));
    prompter.answer = true;
    EXPECT_FALSE(document->OpenSymbol("IBM", "NYSE"));
    ASSERT_TRUE(WaitFor([&] { return dialogs->OpenCount() == 1; }));
    ASSERT_TRUE(document->OpenSymbol("MSFT", "NYSE"));
    ASSERT_TRUE(WaitFor([&] { return !otherSymbols.empty(); }, 30s));
    EXPECT_EQ(otherSymbols, std::vector<std::string>{"IBM"});
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(document->Symbol(), "MSFT");
    EXPECT_EQ(document->Stock().Display().size(), 12u);
    EXPECT_TRUE(std::filesystem::exists(QuoteFile("IBM"))) << "the file is kept for later";
}

namespace {
// The smallest animated GIF: one white pixel.
const unsigned char kOnePixelGif[] = {
    'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xff, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
} // namespace

// The dialog alone: its texts, translation, animation, and the keys that cancel it.
class DownloadingDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        home = MakeTempFolder("downloading");
    }
    void TearDown() override {
        CLanguage::SetFile("");
        RemoveTree(home);
    }
    std::string home;
};

TEST_F(DownloadingDialogTest, TextsAndBusyShowFollowTheInstallation) {
    struct SCase {
        const char* name;
        const char* language; // "" = none
        bool gif;
        const char* status;
        const char* cancel;
        const char* suffix;
        bool animated;
    };
    const SCase cases[] = {
        {"built in, no animation file", "", false, "Downing Speed", "Cancel",
         " Data DownLoading running", false},
        {"built in, animation file", "", true, "Downing Speed", "Cancel",
         " Data DownLoading running", true},
        {"translated",
         "[5004]\n5000=Geschwindigkeit\n5001=Abbrechen\n"
         "[String]\n97=\" Daten werden geladen\"\n",
         false, "Geschwindigkeit", "Abbrechen", " Daten werden geladen", false},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        std::filesystem::remove_all(home + "/System");
        if (test.gif) {
            std::filesystem::create_directories(home + "/System");
            std::ofstream(home + "/System/filecopy.gif", std::ios::binary)
                .write(reinterpret_cast<const char*>(kOnePixelGif), sizeof kOnePixelGif);
        }
        CLanguage::SetFile("");
        if (*test.language) {
            WriteTextFile(home + "/Test.lng", test.language);
            CLanguage::SetFile(home + "/Test.lng");
        }
        CDownloadDialogs dialogs(home + "/");
        auto sink = dialogs.Factory()(1);
        ASSERT_NE(sink, nullptr);
        std::vector<CFormsetDownloading*> open = DownloadDialogs();
        ASSERT_EQ(open.size(), 1u);
        CFormsetDownloading& dialog = *open[0];
        EXPECT_EQ(dialog.StatusText().toStdString(), test.status);
        EXPECT_EQ(dialog.CancelButton()->text().toStdString(), test.cancel);
        EXPECT_EQ(dialog.Animated(), test.animated);
        sink->SetTitle("IBM" + CLanguage::TranslateString(97).value_or(""));
        EXPECT_EQ(dialog.windowTitle().toStdString(), std::string("IBM") + test.suffix);
        sink->SetStatusText("Read 4096 bytes");
        EXPECT_EQ(dialog.StatusText().toStdString(), "Read 4096 bytes");
    }
}

TEST_F(DownloadingDialogTest, EscapeTheCloseButtonAndCancelCancelButTheJobsCloseDoesNot) {
    struct SCase {
        const char* name;
        std::function<void(CFormsetDownloading&, CDownloadProgressSink&)> act;
        bool cancelled;
    };
    const SCase cases[] = {
        {"Cancel",
         [](CFormsetDownloading& d, CDownloadProgressSink&) {
             QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
         },
         true},
        {"Escape",
         [](CFormsetDownloading& d, CDownloadProgressSink&) {
             QTest::keyClick(&d, Qt::Key_Escape);
         },
         true},
        {"close button", [](CFormsetDownloading& d, CDownloadProgressSink&) { d.close(); }, true},
        {"the job's close", [](CFormsetDownloading&, CDownloadProgressSink& s) { s.Close(); },
         false},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        CDownloadDialogs dialogs(home + "/");
        auto sink = dialogs.Factory()(1);
        ASSERT_NE(sink, nullptr);
        auto flag = sink->CancelFlag();
        ASSERT_NE(flag, nullptr);
        CFormsetDownloading& dialog = *DownloadDialogs().at(0);
        EXPECT_EQ(dialogs.OpenCount(), 1);
        test.act(dialog, *sink);
        EXPECT_EQ(dialogs.OpenCount(), 0);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(flag->load(), test.cancelled);
        EXPECT_EQ(sink->IsCancelled(), test.cancelled);
    }
}

// The job may hold the sink after the chart closed the dialog: nothing happens, and it counts
// as cancelled. Letting go of the sink deletes its dialog.
TEST_F(DownloadingDialogTest, ASinkOutlivesItsDialogAndDeletesItWhenReleased) {
    auto dialogs = std::make_unique<CDownloadDialogs>(home + "/");
    DownloadProgressFactory factory = dialogs->Factory();
    auto kept = factory(1);
    auto released = factory(2);
    ASSERT_EQ(DownloadDialogs().size(), 2u);
    released.reset();
    EXPECT_TRUE(WaitFor([] { return DownloadDialogs().size() == 1u; }, 2s));
    EXPECT_EQ(dialogs->OpenCount(), 1);

    dialogs.reset();
    EXPECT_TRUE(DownloadDialogs().empty());
    kept->SetTitle("x");
    kept->SetStatusText("y");
    kept->Close();
    EXPECT_TRUE(kept->IsCancelled());
    EXPECT_TRUE(kept->CancelFlag()->load()) << "the transfer stops too";
    EXPECT_EQ(factory(3), nullptr) << "a closed chart opens no more dialogs";
}

// The dialog fits each status text whole and keeps its size while they change; ZS_DIALOG_SHOTS
// names a folder for pictures to look at (run once more with QT_SCALE_FACTOR=2).
TEST_F(DownloadingDialogTest, TheLongestStatusTextIsNotClipped) {
    CDownloadDialogs dialogs(home + "/");
    auto sink = dialogs.Factory()(1);
    CFormsetDownloading& dialog = *DownloadDialogs().at(0);
    sink->SetTitle(kTitle);
    const char* texts[] = {"Downing Speed", "Read 99999999 bytes (9999.9 Kb/s)",
                           "Connecting to socket address ", "Closing the connection to the server"};
    int width = 0;
    for (const char* text : texts) {
        sink->SetStatusText(text);
        dialog.adjustSize();
        if (!width) width = dialog.width();
        EXPECT_EQ(dialog.width(), width) << text;
        QLabel* label = nullptr;
        for (QLabel* candidate : dialog.findChildren<QLabel*>())
            if (candidate->text() == text) label = candidate;
        ASSERT_NE(label, nullptr) << text;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << text;
        EXPECT_GE(label->height(), label->fontMetrics().height()) << text;
        EXPECT_LE(label->geometry().right(), dialog.width()) << text;
    }
    sink->SetStatusText("Read 99999999 bytes (9999.9 Kb/s)");
    if (const char* folder = std::getenv("ZS_DIALOG_SHOTS")) {
        const char* scale = std::getenv("QT_SCALE_FACTOR");
        QImage shot = dialog.grab().toImage();
        shot.save(
            QDir(folder).filePath(QString("download_dialog_x%1.png").arg(scale ? scale : "1")));
    }
}
