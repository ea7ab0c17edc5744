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

    std::unique_ptr<CModelContext> context;
};

TEST_F(DocumentDownloadTest, MissingFileAnsweredYesIsDownloadedAndLoaded) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 30)));
    prompter.answer = true;
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    downloads.SetTimeOut(5000);

    EXPECT_FALSE(document.OpenSymbol("IBM", "NYSE"));
    ASSERT_EQ(prompter.questions.size(), 1u) << "asked once, by the document";
    ASSERT_TRUE(loop.RunUntil([&] { return downloads.Reloads() == 1; }, std::chrono::seconds(30)));
    EXPECT_EQ(document.Symbol(), "IBM");
    EXPECT_EQ(document.Market(), "NYSE");
    EXPECT_EQ(document.Stock().Display().size(), 30u);
    EXPECT_EQ(prompter.questions.size(), 1u);
}

TEST_F(DocumentDownloadTest, MissingFileAnsweredNoQueuesNothing) {
    prompter.answer = false;
    CZentriStockDoc document(*context);
    CDocumentDownloads downloads(document, loop, std::chrono::milliseconds(0));
    EXPECT_FALSE(document.OpenSymbol("IBM", "NYSE"));
    loop.RunUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(downloads.Reloads(), 0);
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
    downloads.SetWindowProgress([&](long) {
        EXPECT_TRUE(loop.OnLoopThread());
        return dialog;
    });
    document.OpenSymbol("IBM", "NYSE");
    // The job closes its dialog after it has reported the written file.
    ASSERT_TRUE(loop.RunUntil([&] { return downloads.Reloads() == 1 && dialog->CloseCount() > 0; },
                              std::chrono::seconds(30)));
    EXPECT_EQ(dialog->Title(), "IBM" + CLanguage::TranslateString(97).value_or(""));
    EXPECT_FALSE(dialog->StatusTexts().empty());
}
