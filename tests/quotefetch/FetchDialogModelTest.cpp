#include "FetchModelFixture.h"
#include "ImportTestSupport.h"

namespace {
const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 30);
const SSelectedStock kA{"NYSE", "AAA"};
const SSelectedStock kB{"NYSE", "BBB"};
const SSelectedStock kC{"NASDAQ", "CCC"};

// The button states as the dialog would draw them: Start, Stop, Select, Import.
std::string Buttons(const CFetchDialogModel& model) {
    std::string states;
    for (bool on : {model.CanStart(), model.CanStop(), model.CanSelect(), model.CanImport()})
        states += on ? '1' : '0';
    return states;
}

// The model over the test server, with the loop run on the test's thread.
class FetchDialogModelTest : public FetchModelFixture {
public:
    void SetUp() override {
        FetchModelFixture::SetUp();
        model->onMessage = [this](const std::string& text) { messages.push_back(text); };
        model->onChanged = [this] {
            buttons.push_back(Buttons(*model));
            if (fetchTexts.empty() || fetchTexts.back() != model->FetchStatusText())
                fetchTexts.push_back(model->FetchStatusText());
            const auto& log = model->LogLines();
            if (stopPressed && model->CanStart() && (log.empty() || log.back() != Text(509)))
                startEnabledEarly = true;
        };
    }
    bool WaitUntil(const std::function<bool()>& done) {
        return loop.RunUntil(done, std::chrono::seconds(30));
    }

    std::vector<std::string> messages, buttons, fetchTexts;
    bool stopPressed = false;
    bool startEnabledEarly = false;
};
} // namespace

TEST_F(FetchDialogModelTest, RunLogsEachRecordAsItStartsAndMovesTheProgressBar) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kC.symbol, QuoteText(kService));
    EXPECT_EQ(model->CountLine(), "0 stocks selected.");
    ASSERT_TRUE(selection->Assign({kA, kB, kC}).ok());
    EXPECT_EQ(model->CountLine(), "3 stocks selected.");
    EXPECT_EQ(Buttons(*model), "1011");
    model->Start();
    EXPECT_EQ(Buttons(*model), "0100");
    EXPECT_EQ(model->ProgressLow(), 0);
    EXPECT_EQ(model->ProgressHigh(), 3);
    ASSERT_TRUE(WaitUntil([&] { return !model->Run().Running(); }));
    EXPECT_EQ(model->LogLines(),
              (std::vector<std::string>{"AAA (NYSE) is downloading.", "BBB (NYSE) is downloading.",
                                        "BBB (NYSE) " + Text(506), "CCC (NASDAQ) is downloading.",
                                        "Download finished."}));
    EXPECT_EQ(model->ProgressPosition(), 3);
    EXPECT_EQ(model->StatusText(), "2(3) Finished.");
    EXPECT_EQ(Buttons(*model), "1011");
    // The transfer's texts reached control 1014 on this thread; the last one clears it.
    EXPECT_GT(fetchTexts.size(), 3u);
    EXPECT_NE(std::find_if(fetchTexts.begin(), fetchTexts.end(),
                           [](const std::string& t) { return t.find("127.0.0.1") != t.npos; }),
              fetchTexts.end());
    EXPECT_EQ(model->FetchStatusText(), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FetchDialogModelTest, StartWithNothingSelectedShowsNoStockSelected) {
    model->Start();
    EXPECT_EQ(messages, std::vector<std::string>{"No stock selected."});
    EXPECT_TRUE(model->LogLines().empty());
    EXPECT_EQ(Buttons(*model), "1011");
}

TEST_F(FetchDialogModelTest, StopDuringAJobKeepsStartDisabledUntilTheJobReports) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kB.symbol, QuoteText(kService));
    ASSERT_TRUE(selection->Assign({kA, kB}).ok());
    server->SetFault("drip", 1);
    model->Start();
    ASSERT_TRUE(WaitUntil([&] { return server->Requests() >= 1; }));
    model->Stop();
    stopPressed = true;
    EXPECT_EQ(Buttons(*model), "0000");
    // Neither Start nor a second Stop does anything while the job is out.
    model->Start();
    model->Stop();
    EXPECT_EQ(model->LogLines(), std::vector<std::string>{"AAA (NYSE) is downloading."});
    ASSERT_TRUE(WaitUntil([&] { return !model->Run().Running(); }));
    EXPECT_EQ(model->LogLines(),
              (std::vector<std::string>{"AAA (NYSE) is downloading.", "Download stopped."}));
    EXPECT_EQ(Buttons(*model), "1011");
    // No state drawn between Stop and the job's report had Start enabled.
    EXPECT_FALSE(startEnabledEarly);
    stopPressed = false;
    EXPECT_EQ(model->ProgressPosition(), 1);
    EXPECT_EQ(server->Requests(), 1);
    // Start goes on with the second record.
    model->Start();
    ASSERT_TRUE(WaitUntil([&] { return !model->Run().Running(); }));
    EXPECT_EQ(model->LogLines().at(2), "BBB (NYSE) is downloading.");
    EXPECT_EQ(model->LogLines().back(), "Download finished.");
}

TEST_F(FetchDialogModelTest, ImportTakesTheRequestsChoicesAndLogsEachFilesCounts) {
    WriteImportText(home + "/in/a.txt", "IBM,20050105,83.0,84.1,82.9,83.7,5120000\n"
                                        "IBM,20050106,84.0,85.1,83.9,84.7,6120000\n");
    WriteImportText(home + "/in/b.txt", "not,a,metastock,file\n");
    std::filesystem::create_directories(dataFolder + "XETRA");
    ASSERT_TRUE(WriteTextFile(dataFolder + "XETRA/IBM.DE.csv",
                              kQuoteHeader + "5-Jan-05,1,1,1,1,1,1\n4-Jan-05,2,2,2,2,2,2\n"));
    SImportRequest request;
    request.files = {home + "/in/a.txt", home + "/in/b.txt"};
    request.options.market = "XETRA";
    request.options.suffix = ".DE";
    request.options.replaceExisting = true;
    model->StartImport(request);
    EXPECT_EQ(Buttons(*model), "0000");
    EXPECT_EQ(model->ProgressHigh(), 2);
    ASSERT_TRUE(WaitUntil([&] { return !model->Importing(); }));
    EXPECT_EQ(ReadImportText(dataFolder + "XETRA/IBM.DE.csv"),
              kQuoteHeader + "6-Jan-05,84.0,85.1,83.9,84.7,6120000,84.7\n"
                             "5-Jan-05,83.0,84.1,82.9,83.7,5120000,83.7\n4-Jan-05,2,2,2,2,2,2\n");
    const std::vector<std::string>& log = model->LogLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 2], "a.txt: imported, 1 added, 1 replaced, 1 kept, 0 skipped, 0 bad lines");
    EXPECT_EQ(log.back(), "b.txt: unknown-format, 0 added, 0 replaced, 0 kept, 0 skipped, 0 bad lines");
    EXPECT_NE(std::find(log.begin(), log.end(), "Import EOD DATA finished."), log.end());
    EXPECT_EQ(model->ProgressPosition(), 2);
    EXPECT_EQ(Buttons(*model), "1011");
}

TEST_F(FetchDialogModelTest, ImportWithoutFilesShowsNoEodDataSelected) {
    SImportRequest request;
    request.options.market = "NYSE";
    model->StartImport(request);
    EXPECT_EQ(messages, std::vector<std::string>{"No EOD DATA Selected."});
    EXPECT_FALSE(model->Importing());
}
