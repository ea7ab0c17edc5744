#include "CTestServer.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "download/CSymbolDatabase.h"
#include "download/qt/CMarketListUpdate.h"
#include "download/qt/CUpdateListFormset.h"
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

namespace {

const char* const kMarkets = "Market\tFullName\tSuffix\n"
                             "NYSE\tNew York Stock Exchange\t\n"
                             "AMEX\tAmerican Stock Exchange\t\n"
                             "LSE\tLondon Stock Exchange\t.L\n";
const std::string kNyse = "Symbol\tDescription\nIBM\tInternational Business Machines\n"
                          "GE\tGeneral Electric\n";
const std::string kLse = "Symbol\tDescription\nVOD\tVodafone\n";
const std::string kHtmlPage = "<!DOCTYPE html>\n<html><body><p>Moved.</p></body></html>\n";

// Lets deferred deletes and the loop's tasks happen.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(1);
    }
}

// A list long enough that a dripping server takes over a second to send it.
std::string LongList(size_t atLeast = 1500) {
    std::string text = "Symbol\tDescription\n";
    for (int i = 0; text.size() < atLeast; ++i)
        text += "S" + std::to_string(i) + "\tSome company\n";
    return text;
}

} // namespace

// The update as the main window runs it, on Qt's GUI thread, against the test server.
class UpdateListDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CLanguage::SetFile("");
        home = MakeTempFolder("updatelist");
        systemFolder = home + "/System/";
        std::filesystem::create_directories(systemFolder);
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        bridge = std::make_unique<QtLoopBridge>(loop);
        update = std::make_unique<CMarketListUpdate>(loop, 0ms);
        update->onFinished = [this] {
            ++finishes;
            // The dialog is closed but not yet deleted: what it showed at the end.
            if (CUpdateListFormset* dialog = update->Dialog()) {
                endLog = dialog->LogText();
                endRange = dialog->Progress()->maximum();
                endValue = dialog->Progress()->value();
                endVisible = dialog->isVisible();
            }
        };
    }
    void TearDown() override {
        update.reset();
        Settle();
        bridge.reset();
        loop.RunPending();
        server.reset();
        RemoveTree(home);
        CLanguage::SetFile("");
    }

    CUpdateListFormset& Open() {
        CMarketList markets;
        EXPECT_TRUE(markets.Parse(kMarkets));
        CMarketListUpdater::SSetup setup;
        setup.systemFolder = systemFolder;
        setup.baseAddress = server->BaseUrl() + "/download/mklist/";
        setup.timeOutMs = 5000;
        CUpdateListFormset& dialog = update->Open(nullptr, markets, setup);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        return dialog;
    }
    // Checks the rows with the keyboard: Space on the current row.
    // A button's mnemonic clicks it after its press animation.
    static bool AllChecked(CUpdateListFormset& dialog) {
        return QTest::qWaitFor([&] {
            for (int i = 0; i < dialog.Markets()->count(); ++i)
                if (dialog.Markets()->item(i)->checkState() != Qt::Checked) return false;
            return true;
        });
    }
    static void CheckRows(CUpdateListFormset& dialog, const std::vector<int>& rows) {
        dialog.Markets()->setFocus();
        for (int row : rows) {
            dialog.Markets()->setCurrentRow(row);
            QTest::keyClick(dialog.Markets(), Qt::Key_Space);
        }
    }
    bool WaitFinished(int count = 1, int ms = 15000) {
        return QTest::qWaitFor([&] { return finishes >= count; }, ms);
    }

    std::string home;
    std::string systemFolder;
    std::unique_ptr<CTestServer> server;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
    CUiThreadLoop loop;
    std::unique_ptr<QtLoopBridge> bridge;
    std::unique_ptr<CMarketListUpdate> update;
    int finishes = 0;
    std::string endLog;
    int endRange = -1;
    int endValue = -1;
    bool endVisible = true;
};

TEST_F(UpdateListDialogTest, ThreeMarketsWithTheSecondAnsweringAPageAreLoggedAndTheThirdStillRuns) {
    server->PutMarketList("NYSE.txt", kNyse);
    server->PutMarketList("AMEX.txt", kHtmlPage);
    server->PutMarketList("LSE.txt", kLse);
    CUpdateListFormset& dialog = Open();
    QPointer<CUpdateListFormset> watched(&dialog);
    ASSERT_EQ(dialog.Markets()->count(), 3);
    EXPECT_EQ(dialog.Markets()->item(1)->text().toStdString(), "American Stock Exchange (AMEX)");
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier); // Check All
    ASSERT_TRUE(AllChecked(dialog));

    // The GUI thread keeps turning while the lists are fetched.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    tick.start(5);
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFinished());
    tick.stop();

    EXPECT_EQ(endRange, 6);
    EXPECT_EQ(endValue, 6);
    EXPECT_EQ(endLog, "Market list of NYSE download Successfully.\n"
                      "Add Market list of NYSE to DataBase.\n"
                      "Market list of NYSE add to data base successfully.\n"
                      "Market list of AMEX download failed.\n"
                      "Market list of LSE download Successfully.\n"
                      "Add Market list of LSE to DataBase.\n"
                      "Market list of LSE add to data base successfully.\n");
    EXPECT_FALSE(endVisible);
    EXPECT_EQ(server->Requests(), 3);
    EXPECT_EQ(update->Saved(), 2);
    EXPECT_EQ(update->Failed(), 1);
    EXPECT_FALSE(update->Running());
    EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), kNyse);
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "AMEX"));
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "AMEX.Dat"));
    EXPECT_EQ(ReadTextFile(systemFolder + "LSE.Dat"),
              CSymbolDatabase::MakeRecord("VOD", "Vodafone"));
    EXPECT_EQ(std::filesystem::file_size(systemFolder + "NYSE.Dat"), 2u * 1024u);
    EXPECT_LT(longestGap, 250);
    RecordProperty("longest_gui_gap_ms", static_cast<int>(longestGap));
    Settle();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(finishes, 1);
}

TEST_F(UpdateListDialogTest, StoppingTheDialogDuringADownloadEndsTheLoopAtOnceAndWritesNothing) {
    struct SWay {
        const char* what;
        std::function<void(CUpdateListFormset&)> stop;
    };
    const std::vector<SWay> ways = {
        {"Escape", [](CUpdateListFormset& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"Close",
         [](CUpdateListFormset& d) { QTest::mouseClick(d.CloseButton(), Qt::LeftButton); }},
        {"window closed", [](CUpdateListFormset& d) { d.close(); }},
        {"hidden", [](CUpdateListFormset& d) { d.hide(); }},
    };
    const std::string oldList = "Symbol\tDescription\nOLD\tOld one\n";
    const std::string oldDatabase = CSymbolDatabase::MakeRecord("OLD", "Old one");
    // Dripped in 64-byte pieces every 50 ms, the whole list would take about 12 s.
    const std::string longList = LongList(15000);
    int expectedFinishes = 0;
    for (const SWay& way : ways) {
        ASSERT_TRUE(WriteTextFile(systemFolder + "NYSE", oldList));
        ASSERT_TRUE(WriteTextFile(systemFolder + "NYSE.Dat", oldDatabase));
        server->Reset();
        server->PutMarketList("NYSE.txt", longList);
        server->PutMarketList("LSE.txt", kLse);
        server->SetFault("drip");
        CUpdateListFormset& dialog = Open();
        QPointer<CUpdateListFormset> first(&dialog);
        CheckRows(dialog, {0, 2});
        QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.StartButton()->isEnabled()) << way.what;
        EXPECT_TRUE(update->Running()) << way.what;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return first && first->StatusText().startsWith("Read "); }, 10000))
            << way.what;
        way.stop(dialog);
        // The loop ended with the stop, not with the transfer.
        EXPECT_EQ(finishes, ++expectedFinishes) << way.what;
        EXPECT_FALSE(update->Running()) << way.what;
        EXPECT_TRUE(first.isNull() || first->Stopped()) << way.what;
        EXPECT_EQ(first ? first->LogText() : "", "") << way.what;
        // A new dialog may start at once.
        CUpdateListFormset& second = Open();
        EXPECT_NE(&second, first.data()) << way.what;
        EXPECT_TRUE(second.StartButton()->isEnabled()) << way.what;
        // The cancelled transfer aborts well before the list is through.
        QElapsedTimer aborting;
        aborting.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return update->EndingUpdates() == 0; }, 10000))
            << way.what;
        EXPECT_LT(aborting.elapsed(), 3000) << way.what;
        RecordProperty(std::string("abort_ms_") + way.what, static_cast<int>(aborting.elapsed()));
        EXPECT_LT(server->LastBytes(), static_cast<long>(longList.size())) << way.what;
        EXPECT_EQ(ReadTextFile(systemFolder + "NYSE"), oldList) << way.what;
        EXPECT_EQ(ReadTextFile(systemFolder + "NYSE.Dat"), oldDatabase) << way.what;
        EXPECT_FALSE(std::filesystem::exists(systemFolder + "LSE")) << way.what;
        EXPECT_EQ(server->Requests(), 1) << way.what; // LSE was not fetched
        EXPECT_EQ(update->Saved() + update->Failed(), 0) << way.what;
        server->SetFault("none");
        second.close();
        Settle();
        EXPECT_TRUE(first.isNull()) << way.what;
        EXPECT_EQ(update->Dialog(), nullptr) << way.what;
        EXPECT_EQ(finishes, expectedFinishes) << way.what; // closing unstarted ends nothing
    }
}

TEST_F(UpdateListDialogTest, AnUnwritableSystemFolderEndsTheLoopWithAFailureLine) {
    RemoveTree(systemFolder);
    // A regular file where the folder should be: refused even to root.
    ASSERT_TRUE(WriteTextFile(home + "/System", "not a folder"));
    server->PutMarketList("NYSE.txt", kNyse);
    server->PutMarketList("LSE.txt", kLse);
    CUpdateListFormset& dialog = Open();
    CheckRows(dialog, {0, 2});
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFinished(1, 5000));
    EXPECT_LT(elapsed.elapsed(), 5000);
    RecordProperty("unwritable_end_ms", static_cast<int>(elapsed.elapsed()));
    EXPECT_EQ(endLog, "Market list of NYSE download failed.\n"
                      "Market list of LSE download failed.\n");
    EXPECT_EQ(endRange, 4);
    EXPECT_EQ(endValue, 4);
    EXPECT_EQ(update->Failed(), 2);
    EXPECT_EQ(ReadTextFile(home + "/System"), "not a folder");
}

TEST_F(UpdateListDialogTest, StartWithoutAMarketIsRefusedAndClosingUnstartedChangesNothing) {
    server->PutMarketList("NYSE.txt", kNyse);
    CUpdateListFormset& dialog = Open();
    QPointer<CUpdateListFormset> watched(&dialog);
    // Checked and unchecked again: nothing is chosen.
    CheckRows(dialog, {1, 1});
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"Markets: please choose at least one market."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Started());
    EXPECT_EQ(QApplication::focusWidget(), dialog.Markets());
    EXPECT_TRUE(dialog.Markets()->isEnabled());
    // The same dialog is raised, not a second one made.
    EXPECT_EQ(&Open(), &dialog);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    Settle();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(finishes, 0);
    EXPECT_EQ(server->Requests(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(systemFolder));
}

TEST_F(UpdateListDialogTest, EveryControlIsReachedByKeyboard) {
    CUpdateListFormset& dialog = Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    struct SMnemonic {
        Qt::Key key;
        QWidget* focus;
    };
    for (const SMnemonic& m :
         std::vector<SMnemonic>{{Qt::Key_L, dialog.Log()}, {Qt::Key_M, dialog.Markets()}}) {
        QTest::keyClick(&dialog, m.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), m.focus) << char(m.key);
    }
    const std::vector<QWidget*> chain = {dialog.CheckAllButton(), dialog.Log(),
                                         dialog.CopyButton(),     dialog.FromFileButton(),
                                         dialog.StartButton(),    dialog.CloseButton(),
                                         dialog.Markets()};
    for (QWidget* next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
    // Alt+A checks every market; Alt+S starts; Alt+C closes, which stops the update.
    server->PutMarketList("NYSE.txt", LongList());
    server->SetFault("drip");
    QPointer<CUpdateListFormset> watched(&dialog);
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(AllChecked(dialog));
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Started(); }));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.isNull() || watched->Stopped(); }));
    ASSERT_TRUE(WaitFinished());
    ASSERT_TRUE(QTest::qWaitFor([&] { return update->EndingUpdates() == 0; }, 10000));
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "NYSE"));
    EXPECT_EQ(update->Saved() + update->Failed(), 0);
}

TEST_F(UpdateListDialogTest, FromFileUpdatesTheCurrentMarketFromTheChosenFile) {
    const std::string file = home + "/otherlisted.txt";
    WriteTextFile(file, "ACT Symbol|Security Name|Exchange|CQS Symbol|ETF|Round Lot Size|Test "
                        "Issue|NASDAQ Symbol\r\nBP|BP p.l.c.|N|BP|N|100|N|BP\r\n"
                        "SH EL|Blank|N|SH|N|100|N|SH\r\nZT|Test|N|ZT|N|100|Y|ZT\r\n"
                        "File Creation Time: 1210202612:00|||||||\r\n");
    std::vector<std::string> asked;
    std::optional<std::string> answer;
    CUpdateListFormset::SetFileQuestion([&](QWidget*, const std::string& market) {
        asked.push_back(market);
        return answer;
    });
    CUpdateListFormset& dialog = Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // Alt+F clicks the button after its press animation.
    const auto fromFile = [&] {
        QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.FromFileButton()->isDown(); }));
    };
    // No market selected, then a chooser cancelled: nothing starts.
    dialog.Markets()->setCurrentRow(-1);
    fromFile();
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"Please select the market whose list the file holds."});
    EXPECT_EQ(QApplication::focusWidget(), dialog.Markets());
    dialog.Markets()->setCurrentRow(2);
    fromFile();
    EXPECT_FALSE(dialog.Started());
    answer = file;
    CheckRows(dialog, {0, 1});
    dialog.Markets()->setCurrentRow(2);
    fromFile();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(asked, (std::vector<std::string>{"LSE", "LSE"}));
    EXPECT_EQ(endLog, "Market list of LSE download Successfully.\n"
                      "Add Market list of LSE to DataBase.\n"
                      "Market list of LSE left out 1 symbol that cannot be a ticker.\n"
                      "Market list of LSE add to data base successfully.\n");
    EXPECT_EQ(endRange, 2);
    EXPECT_EQ(ReadTextFile(systemFolder + "LSE.Dat"), CSymbolDatabase::MakeRecord("BP", "BP p.l.c."));
    EXPECT_FALSE(std::filesystem::exists(systemFolder + "NYSE"));
    EXPECT_EQ(server->Requests(), 0);
    CUpdateListFormset::SetFileQuestion({});
}

TEST_F(UpdateListDialogTest, TheLogIsCopiedAsWritten) {
    CUpdateListFormset dialog(CUpdateListChoice({"NYSE"}, {"New York"}), loop);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const std::string log = "Market list of NYSE download Successfully.\n"
                            "Market list of LSE download failed.\n";
    dialog.AppendLog("Market list of NYSE download Successfully.\n");
    dialog.AppendLog("Market list of LSE download failed.\n");
    EXPECT_EQ(dialog.Log()->toPlainText().toStdString(), log);
    QApplication::clipboard()->clear();
    QTest::mouseClick(dialog.CopyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), log);
    QApplication::clipboard()->clear();
    dialog.Log()->setFocus();
    QTest::keyClick(dialog.Log(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dialog.Log(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), log);
    dialog.SetStatusText("Read 640 bytes");
    EXPECT_EQ(dialog.StatusText().toStdString(), "Read 640 bytes");
}

TEST_F(UpdateListDialogTest, TheDialogIsTranslatedOnCreation) {
    const std::string lng = home + "/test.lng";
    {
        std::ofstream out(lng);
        out << "[310]\n0=Liste aktualisieren\n1=&Starten\n2=S&chliessen\n1062=Protokoll k&opieren\n"
               "1063=&Alle\n1064=&Maerkte:\n1065=&Protokoll:\n";
    }
    CLanguage::SetFile(lng);
    CUpdateListFormset dialog(CUpdateListChoice({"NYSE"}, {"New York"}), loop);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Liste aktualisieren");
    EXPECT_EQ(dialog.StartButton()->text().toStdString(), "&Starten");
    EXPECT_EQ(dialog.CloseButton()->text().toStdString(), "S&chliessen");
    EXPECT_EQ(dialog.CopyButton()->text().toStdString(), "Protokoll k&opieren");
    EXPECT_EQ(dialog.CheckAllButton()->text().toStdString(), "&Alle");
    CLanguage::SetFile("");
    CUpdateListFormset plain(CUpdateListChoice({"NYSE"}, {"New York"}), loop);
    EXPECT_EQ(plain.windowTitle().toStdString(), "Update Stock List");
    EXPECT_EQ(plain.StartButton()->text().toStdString(), "&Start");
}
