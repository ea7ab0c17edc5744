#include "DownloadTestSupport.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/lang/CLanguage.h"
#include <atomic>
#include <thread>

// The chart document's side: the question on a missing quote file starts the download, and
// the finished job loads the written file into the chart.
class DocumentDownloadTest : public DownloadFixture {
protected:
    void SetUp() override {
        DownloadFixture::SetUp();
        context = std::make_unique<CModelContext>(CInstallPaths(home), prompter);
        context->Settings().setKey(server->BaseUrl(), "QuoteServer", "DOWNLOAD");
    }

    // Counts the reloads and keeps the tickers told as downloaded for another symbol.
    void Watch(CDocumentDownloads& downloads) {
        downloads.SetReloaded([this] { ++reloads; });
        downloads.SetOtherSymbolDownloaded(
            [this](const std::string& ticker) { otherSymbols.push_back(ticker); });
    }

    std::unique_ptr<CModelContext> context;
    int reloads = 0;
    std::vector<std::string> otherSymbols;
};

TEST_F(DocumentDownloadTest, MissingFileAnsweredYesIsDownloadedAndLoaded) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = true;
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    downloads.SetTimeOut(5000);
    Watch(downloads);

    EXPECT_FALSE(document.OpenSymbol("IBM", "NYSE"));
    ASSERT_EQ(prompter.questions.size(), 1u) << "asked once, by the document";
    ASSERT_TRUE(loop.RunUntil([&] { return reloads == 1; }, std::chrono::seconds(30)));
    EXPECT_TRUE(otherSymbols.empty());
    EXPECT_EQ(document.Symbol(), "IBM");
    EXPECT_EQ(document.Market(), "NYSE");
    EXPECT_EQ(document.Stock().Display().size(), 30u);
    EXPECT_EQ(prompter.questions.size(), 1u);
}

// The chart's download writes into the folder setup.ini names as it starts, and the chart
// loads the file from there.
TEST_F(DocumentDownloadTest, TheDownloadWritesIntoTheChosenFolderAndTheChartLoadsItFromThere) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = true;
    struct Case {
        const char* what;
        std::string document;   // [DATA_DIRECTORY] "DataDirectory"
        std::string downloader; // [ENVIORMENT] "DATA_DIRECTORY"
        std::string file;
    };
    const Case cases[] = {
        {"relative", "eod", "", home + "/eod/NYSE/IBM.csv"},
        {"absolute, new nested folders", home + "/mnt/quotes/", "",
         home + "/mnt/quotes/NYSE/IBM.csv"},
        {"downloader key only", "", home + "/fetched", home + "/fetched/NYSE/IBM.csv"},
        {"both keys", "both", home + "/fetched2", home + "/both/NYSE/IBM.csv"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(context->Settings().setKey(c.document, "DataDirectory", "DATA_DIRECTORY"));
        ASSERT_TRUE(context->Settings().setKey(c.downloader, "DATA_DIRECTORY", "ENVIORMENT"));
        reloads = 0;
        CZentriStockDoc document(*context);
        CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
        downloads.SetTimeOut(5000);
        Watch(downloads);
        EXPECT_FALSE(document.OpenSymbol("IBM", "NYSE")) << c.what;
        ASSERT_TRUE(loop.RunUntil([&] { return reloads == 1; }, std::chrono::seconds(30)))
            << c.what;
        EXPECT_EQ(ReadTextFile(c.file), QuoteText(WeekdayLines(2005, 3, 4, 30))) << c.what;
        EXPECT_EQ(document.Stock().QuoteFilePath(), c.file) << c.what;
        EXPECT_EQ(document.Stock().Display().size(), 30u) << c.what;
    }
    EXPECT_FALSE(std::filesystem::exists(QuoteFile())) << "nothing went to the default folder";
    EXPECT_FALSE(std::filesystem::exists(home + "/fetched2"));
    EXPECT_EQ(prompter.questions.size(), 4u);
}

TEST_F(DocumentDownloadTest, MissingFileAnsweredNoQueuesNothing) {
    prompter.answer = false;
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    Watch(downloads);
    EXPECT_FALSE(document.OpenSymbol("IBM", "NYSE"));
    loop.RunUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(server->Requests(), 0);
    // The chart keeps its one placeholder bar of a new chart and no symbol.
    EXPECT_EQ(document.Stock().Display().size(), 1u);
    EXPECT_EQ(document.Symbol(), "NoName");
    EXPECT_FALSE(std::filesystem::exists(QuoteFile()));
}

TEST_F(DocumentDownloadTest, ClosingTheChartWhileItsDownloadHangsNeitherHangsNorReloads) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    server->SetFault("hang");
    prompter.answer = true;
    auto document = std::make_unique<CZentriStockDoc>(*context);
    auto downloads =
        std::make_unique<CDocumentDownloads>(*document, loop, std::chrono::milliseconds(0));
    downloads->SetTimeOut(30000);
    document->OpenSymbol("IBM", "NYSE");
    loop.RunUntil([] { return false; }, std::chrono::milliseconds(100));
    auto started = std::chrono::steady_clock::now();
    downloads.reset();
    document.reset();
    loop.RunPending();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

// The chart closes while its job waits in the progress factory for the user-interface
// thread, which is busy closing and runs no task.
TEST_F(DocumentDownloadTest, ClosingTheChartWhileItsJobWaitsForTheProgressDialogReturnsAtOnce) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = true;
    std::atomic<bool> asked{false};
    loop.SetWakeHook([&] { asked = true; });
    bool opened = false;
    auto document = std::make_unique<CZentriStockDoc>(*context);
    auto downloads =
        std::make_unique<CDocumentDownloads>(*document, loop, std::chrono::milliseconds(0));
    downloads->SetWindowProgress([&](long) {
        opened = true;
        return std::make_shared<CRecordingProgress>();
    });
    document->OpenSymbol("IBM", "NYSE");
    for (int i = 0; i < 3000 && !asked; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(asked) << "the job asked for its dialog";

    const auto closing = std::chrono::steady_clock::now();
    downloads.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(1));
    loop.SetWakeHook(nullptr);
    loop.RunPending();
    EXPECT_FALSE(opened);
    document.reset();
}

TEST_F(DocumentDownloadTest, TheWindowProgressDialogOpensOnTheLoopAndShowsTheTransfer) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = true;
    auto dialog = std::make_shared<CRecordingProgress>();
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    downloads.SetTimeOut(5000);
    Watch(downloads);
    downloads.SetWindowProgress([&](long) {
        EXPECT_TRUE(loop.OnLoopThread());
        return dialog;
    });
    document.OpenSymbol("IBM", "NYSE");
    // The job closes its dialog after it has reported the written file.
    ASSERT_TRUE(loop.RunUntil([&] { return reloads == 1 && dialog->CloseCount() > 0; },
                              std::chrono::seconds(30)));
    EXPECT_EQ(dialog->Title(), "IBM" + CLanguage::TranslateString(97).value_or(""));
    EXPECT_FALSE(dialog->StatusTexts().empty());
}

// Without a symbol both commands say text 88 and neither asks nor fetches anything.
TEST_F(DocumentDownloadTest, CommandsOnAChartWithoutSymbolSayText88) {
    struct SCase {
        const char* command;
        bool (CDocumentDownloads::*start)();
    };
    const SCase cases[] = {{"ReDownload", &CDocumentDownloads::ReDownload},
                           {"Update EOD Data", &CDocumentDownloads::UpdateEodData}};
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.command);
        prompter.messages.clear();
        prompter.questions.clear();
        prompter.answer = true;
        CZentriStockDoc document(*context);
        ASSERT_EQ(document.Symbol(), "NoName");
        CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
        Watch(downloads);
        EXPECT_FALSE((downloads.*test.start)());
        loop.RunUntil([] { return false; }, std::chrono::milliseconds(50));
        EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please select a stock first."});
        EXPECT_TRUE(prompter.questions.empty());
        EXPECT_EQ(server->Requests(), 0);
        EXPECT_EQ(reloads, 0);
    }
}

// A result is loaded when it is for the shown symbol, or for the awaited one while the chart
// still shows what it showed when that download started; any other result is only told.
TEST_F(DocumentDownloadTest, AResultIsLoadedOnlyWhileTheChartStillWaitsForIt) {
    struct SCase {
        const char* name;
        const char* shownFirst; // loaded from its local file before the download; "" none
        const char* download;   // the missing file asked for; "" = "ReDownload" of the shown
        const char* switchTo;   // opened from its local file before the result arrives; ""
        bool loaded;
        const char* shownAfter;
        size_t barsAfter;
        std::vector<std::string> told;
    };
    const SCase cases[] = {
        {"awaited, chart unchanged", "", "IBM", "", true, "IBM", 30, {}},
        {"awaited, chart showing another", "MSFT", "IBM", "", true, "IBM", 30, {}},
        {"chart switched meanwhile", "", "IBM", "MSFT", false, "MSFT", 12, {"IBM"}},
        {"redownload of the shown symbol", "MSFT", "", "", true, "MSFT", 20, {}},
        {"redownload, then another symbol", "MSFT", "", "AAPL", false, "AAPL", 8, {"MSFT"}},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        reloads = 0;
        otherSymbols.clear();
        std::filesystem::remove_all(dataFolder + "NYSE");
        std::filesystem::create_directories(dataFolder + "NYSE");
        WriteTextFile(QuoteFile("MSFT"), QuoteText(WeekdayLines(2005, 3, 4, 12)));
        WriteTextFile(QuoteFile("AAPL"), QuoteText(WeekdayLines(2005, 3, 4, 8)));
        server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
        server->PutQuotes("MSFT", QuoteText(WeekdayLines(2005, 3, 4, 20)));
        prompter.answer = true;
        CZentriStockDoc document(*context);
        CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
        downloads.SetTimeOut(5000);
        Watch(downloads);
        if (*test.shownFirst) {
            ASSERT_TRUE(document.OpenSymbol(test.shownFirst, "NYSE"));
        }
        if (*test.download)
            EXPECT_FALSE(document.OpenSymbol(test.download, "NYSE"));
        else
            ASSERT_TRUE(downloads.ReDownload());
        // The result waits for the loop, which has not run yet: the switch comes first.
        if (*test.switchTo) {
            ASSERT_TRUE(document.OpenSymbol(test.switchTo, "NYSE"));
        }
        ASSERT_TRUE(loop.RunUntil([&] { return reloads + otherSymbols.size() > 0; },
                                  std::chrono::seconds(30)));
        EXPECT_EQ(reloads, test.loaded ? 1 : 0);
        EXPECT_EQ(otherSymbols, test.told);
        EXPECT_EQ(document.Symbol(), test.shownAfter);
        EXPECT_EQ(document.Stock().Display().size(), test.barsAfter);
    }
}

namespace {
// A progress dialog with a cancel flag of its own, as the program's dialog has.
class FlaggedProgress : public CRecordingProgress {
public:
    std::shared_ptr<const std::atomic<bool>> CancelFlag() const override { return flag; }
    std::shared_ptr<std::atomic<bool>> flag = std::make_shared<std::atomic<bool>>(false);
};
} // namespace

// The dialog's flag, set on the user-interface thread, stops the dripping transfer at once:
// nothing is written and the chart is not reloaded.
TEST_F(DocumentDownloadTest, TheDialogsCancelFlagStopsTheTransferAtOnce) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 400))); // about 14 s dripped
    server->SetFault("drip");
    prompter.answer = true;
    auto dialog = std::make_shared<FlaggedProgress>();
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    downloads.SetTimeOut(30000);
    Watch(downloads);
    downloads.SetWindowProgress([&](long) { return dialog; });
    document.OpenSymbol("IBM", "NYSE");
    auto reading = [&] {
        for (const std::string& text : dialog->StatusTexts())
            if (text.rfind("Read ", 0) == 0) return true;
        return false;
    };
    ASSERT_TRUE(loop.RunUntil(reading, std::chrono::seconds(10)));
    const auto pressed = std::chrono::steady_clock::now();
    *dialog->flag = true;
    ASSERT_TRUE(loop.RunUntil([&] { return dialog->CloseCount() > 0; }, std::chrono::seconds(10)));
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(1));
    loop.RunUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_FALSE(std::filesystem::exists(QuoteFile()));
    EXPECT_EQ(reloads, 0);
    EXPECT_TRUE(prompter.messages.empty());
}
