#include "FetchTestSupport.h"
#include "ctlkit/base/QuoteFileLock.h"

namespace {
// The local files end on Friday 7 January 2005; the service knows up to Tuesday 11 January.
const std::vector<std::string> kLocal = WeekdayLines(2005, 1, 7, 30);
const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 400);

const SSelectedStock kA{"NYSE", "AAA"};
const SSelectedStock kB{"NYSE", "BBB"};
const SSelectedStock kC{"NASDAQ", "CCC"};

std::vector<EFetchResult> Results(const CRecordingRunView& view) {
    std::vector<EFetchResult> results;
    for (const auto& record : view.records) results.push_back(record.result);
    return results;
}

// The names in a folder other than lock files.
std::vector<std::string> VisibleFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        if (entry.path().filename().string()[0] != '.') names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

using FetchRun = FetchRunFixture;

TEST_F(FetchRun, EmptySelectionShowsNoStockSelectedAndStartsNothing) {
    run->Start();
    EXPECT_EQ(view.messages, std::vector<std::string>{Text(504)});
    EXPECT_TRUE(view.buttons.empty());
    EXPECT_FALSE(run->Running());
    EXPECT_EQ(server->Requests(), 0);
}

TEST_F(FetchRun, UnknownSecondSymbolIsLoggedAndTheThirdIsStillFetched) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kC.symbol, QuoteText(kService));
    Select({kA, kB, kC});
    run->Start();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(view.log, (std::vector<std::string>{"BBB (NYSE) " + Text(506), Text(507)}));
    EXPECT_EQ(view.status, "2(3) " + Text(508));
    EXPECT_EQ(Results(view), (std::vector<EFetchResult>{EFetchResult::Done, EFetchResult::NotQuotes,
                                                        EFetchResult::Done}));
    EXPECT_EQ(view.records[2].stock, kC);
    EXPECT_EQ(view.records[2].newDays, 400);
    // A full download keeps the answer as it came.
    EXPECT_EQ(ReadTextFile(QuoteFile("NASDAQ", "CCC")), QuoteText(kService));
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("NYSE", "BBB")));
    EXPECT_EQ(view.range, std::make_pair(0, 3));
    EXPECT_EQ(view.positions, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(view.buttons, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.ends, std::vector<EFetchRunEnd>{EFetchRunEnd::Finished});
    EXPECT_EQ(run->Index(), 0u);
    EXPECT_NE(server->LastPath().find("&a=0&b=1&c=1980&"), std::string::npos);
}

TEST_F(FetchRun, ConnectionFailureStopsTheRunOnTheFailedRecordAndStartRetriesIt) {
    struct SCase {
        const char* name;
        bool deadPort;
    };
    for (const SCase& c :
         {SCase{"connection closed at once", false}, SCase{"port refused", true}}) {
        SCOPED_TRACE(c.name);
        TearDown();
        view = CRecordingRunView{};
        SetUp();
        server->PutQuotes(kA.symbol, QuoteText(kService));
        server->PutQuotes(kC.symbol, QuoteText(kService));
        Select({kA, kC});
        CFetchRun::SJobSettings settings;
        settings.dataFolder = dataFolder;
        settings.quoteServer =
            c.deadPort ? "http://127.0.0.1:" + std::to_string(UnusedPort()) : server->BaseUrl();
        settings.timeOutMs = 5000;
        run->SetJobSettings(settings);
        if (!c.deadPort) server->SetFault("refuse", 1);
        run->Start();
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(view.log, std::vector<std::string>{Text(505)});
        EXPECT_EQ(view.status, "0(2) " + Text(508));
        EXPECT_EQ(Results(view), std::vector<EFetchResult>{EFetchResult::NoAnswer});
        EXPECT_EQ(view.ends, std::vector<EFetchRunEnd>{EFetchRunEnd::ConnectionFailed});
        EXPECT_EQ(view.buttons, (std::vector<bool>{false, true}));
        EXPECT_EQ(run->Index(), 0u);
        EXPECT_FALSE(std::filesystem::exists(QuoteFile("NYSE", "AAA")));

        settings.quoteServer = server->BaseUrl();
        run->SetJobSettings(settings);
        run->Start();
        ASSERT_TRUE(WaitForEnd(2));
        ASSERT_EQ(view.records.size(), 3u);
        EXPECT_EQ(view.records[1].stock, kA);
        EXPECT_EQ(view.records[1].result, EFetchResult::Done);
        EXPECT_EQ(view.log.back(), Text(507));
        EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), QuoteText(kService));
    }
}

TEST_F(FetchRun, RenewalAsksFromTheNewestLocalDayAndPutsTheNewDaysInFront) {
    PutLocal("NYSE", "AAA", QuoteText(kLocal));
    server->PutQuotes(kA.symbol, QuoteText(kService));
    Select({kA});
    server->Reset();
    run->Start();
    ASSERT_TRUE(WaitForEnd());
    std::vector<std::string> expected = {kService[0], kService[1]};
    expected.insert(expected.end(), kLocal.begin(), kLocal.end());
    EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), QuoteText(expected));
    ASSERT_EQ(view.records.size(), 1u);
    EXPECT_EQ(view.records[0].result, EFetchResult::Done);
    EXPECT_EQ(view.records[0].newDays, 2);
    EXPECT_NE(server->LastPath().find("&a=0&b=7&c=2005&"), std::string::npos);
    EXPECT_LT(server->BytesSent(), 1024);
}

TEST_F(FetchRun, RecordAlreadyUpToDateReportsNothingNewAndTheRunGoesOn) {
    struct SCase {
        const char* name;
        std::string local;
        int64_t now;
        bool asks;
    };
    const std::vector<SCase> cases = {
        {"newest day is today", QuoteText(kLocal), LocalNoon(2005, 1, 7), false},
        {"service has nothing newer", QuoteText(kLocal), LocalNoon(2005, 1, 10), true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        view = CRecordingRunView{};
        SetUp();
        now = c.now;
        PutLocal("NYSE", "AAA", c.local);
        server->PutQuotes(kA.symbol, QuoteText(WeekdayLines(2005, 1, 7, 50)));
        server->PutQuotes(kC.symbol, QuoteText(kService));
        Select({kA, kC});
        run->Start();
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(Results(view),
                  (std::vector<EFetchResult>{EFetchResult::NothingNew, EFetchResult::Done}));
        EXPECT_EQ(view.records[0].newDays, 0);
        EXPECT_EQ(server->Requests(), c.asks ? 2 : 1);
        EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), c.local);
        EXPECT_TRUE(std::filesystem::exists(QuoteFile("NASDAQ", "CCC")));
        EXPECT_EQ(view.log, std::vector<std::string>{Text(507)});
    }
}

TEST_F(FetchRun, FileThatCannotBeWrittenIsLoggedAndTheRunGoesOn) {
    const std::string tickerList =
        "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\n"
        "AAA,D,20050105,000000,83.0,84.1,82.9,83.7,5120000,0\n";
    struct SCase {
        const char* name;
        std::function<void(FetchRunFixture&)> prepare;
        const char* untouched; // the content the quote file keeps, if it is a file
    };
    const std::vector<SCase> cases = {
        {"market folder is a file",
         [](FetchRunFixture& f) {
             std::filesystem::create_directories(f.dataFolder);
             WriteTextFile(f.dataFolder + "NYSE", "not a folder");
         },
         nullptr},
        {"quote file is a folder",
         [](FetchRunFixture& f) {
             std::filesystem::create_directories(f.QuoteFile("NYSE", "AAA"));
         },
         nullptr},
        {"quote file is a ticker list",
         [&](FetchRunFixture& f) { f.PutLocal("NYSE", "AAA", tickerList); }, tickerList.c_str()},
        {"symbol is no file name", [](FetchRunFixture&) {}, nullptr},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        view = CRecordingRunView{};
        SetUp();
        c.prepare(*this);
        const SSelectedStock first =
            std::string(c.name) == "symbol is no file name" ? SSelectedStock{"NYSE", "../AAA"} : kA;
        server->PutQuotes(kA.symbol, QuoteText(kService));
        server->PutQuotes(kC.symbol, QuoteText(kService));
        Select({first, kC});
        run->Start();
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(view.log,
                  (std::vector<std::string>{first.symbol + " (NYSE) " + Text(510), Text(507)}));
        EXPECT_EQ(view.status, "1(2) " + Text(508));
        EXPECT_EQ(Results(view),
                  (std::vector<EFetchResult>{EFetchResult::CannotWrite, EFetchResult::Done}));
        EXPECT_EQ(ReadTextFile(QuoteFile("NASDAQ", "CCC")), QuoteText(kService));
        if (c.untouched) {
            EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), c.untouched);
        }
        // Nothing is asked for a record whose file could not be written.
        EXPECT_EQ(server->Requests(), 1);
    }
}

TEST_F(FetchRun, StopLetsTheRunningJobFinishAndKeepsStartDisabledUntilItReported) {
    server->PutQuotes(kA.symbol, QuoteText(WeekdayLines(2005, 1, 11, 20)));
    server->PutQuotes(kC.symbol, QuoteText(kService));
    server->SetFault("drip", 1);
    Select({kA, kC});
    run->Start();
    ASSERT_TRUE(loop.RunUntil([&] { return server->Requests() >= 1; }, std::chrono::seconds(10)));
    run->Stop();
    // A second Start while the job runs neither clears the flag nor queues a second job.
    run->Start();
    EXPECT_TRUE(run->StopRequested());
    EXPECT_TRUE(run->JobPending());
    EXPECT_EQ(view.buttons, std::vector<bool>{false});
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(view.log, std::vector<std::string>{Text(509)});
    EXPECT_EQ(Results(view), std::vector<EFetchResult>{EFetchResult::Done});
    EXPECT_EQ(view.buttons, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.ends, std::vector<EFetchRunEnd>{EFetchRunEnd::Stopped});
    EXPECT_EQ(server->Requests(), 1);
    EXPECT_EQ(run->Index(), 1u);
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("NASDAQ", "CCC")));

    // Start clears the flag and goes on with the next record.
    run->Start();
    EXPECT_FALSE(run->StopRequested());
    ASSERT_TRUE(WaitForEnd(2));
    ASSERT_EQ(view.records.size(), 2u);
    EXPECT_EQ(view.records[1].stock, kC);
    EXPECT_EQ(view.log.back(), Text(507));
}

TEST_F(FetchRun, ChangeOfTheSelectionSendsTheIndexBackToTheFirstRecord) {
    server->PutQuotes(kA.symbol, QuoteText(kService));
    server->PutQuotes(kB.symbol, QuoteText(kService));
    Select({kA, kB});
    run->Start();
    run->Stop();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(run->Index(), 1u);
    ASSERT_TRUE(selection->Add(kC).ok());
    EXPECT_EQ(run->Index(), 0u);
    run->Start();
    ASSERT_TRUE(WaitForEnd(2));
    ASSERT_EQ(view.records.size(), 4u);
    EXPECT_EQ(view.records[1].stock, kA);
    EXPECT_EQ(view.records[1].result, EFetchResult::NothingNew);
    EXPECT_EQ(view.records[3].stock, kC);
}

TEST_F(FetchRun, TransferResetMidBodyWritesNothing) {
    struct SCase {
        const char* name;
        bool local;
    };
    for (const SCase& c : {SCase{"renewal", true}, SCase{"full download", false}}) {
        SCOPED_TRACE(c.name);
        TearDown();
        view = CRecordingRunView{};
        SetUp();
        if (c.local) PutLocal("NYSE", "AAA", QuoteText(kLocal));
        server->PutQuotes(kA.symbol, QuoteText(kService));
        server->SetFault("reset", 1);
        Select({kA});
        run->Start();
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(Results(view), std::vector<EFetchResult>{EFetchResult::NoAnswer});
        if (c.local) {
            EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), QuoteText(kLocal));
            EXPECT_EQ(VisibleFiles(dataFolder + "NYSE"), std::vector<std::string>{"AAA.csv"});
        } else {
            EXPECT_TRUE(VisibleFiles(dataFolder + "NYSE").empty());
        }
    }
}

TEST_F(FetchRun, JobWaitsForAnotherWriterOfTheSameFile) {
    PutLocal("NYSE", "AAA", QuoteText(kLocal));
    server->PutQuotes(kA.symbol, QuoteText(kService));
    Select({kA});
    auto held =
        std::make_unique<QuoteFileLock>(QuoteFile("NYSE", "AAA"), QuoteFileLock::EMode::Exclusive);
    ASSERT_TRUE(held->Locked());
    run->Start();
    EXPECT_FALSE(loop.RunUntil([&] { return !view.ends.empty(); }, std::chrono::milliseconds(300)));
    EXPECT_EQ(server->Requests(), 0);
    held.reset();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Results(view), std::vector<EFetchResult>{EFetchResult::Done});
}

TEST_F(FetchRun, AnswerThatIsNoQuoteListWritesNothing) {
    struct SCase {
        const char* fault;
        bool local;
        EFetchResult result;
        bool badMonth = false; // the service's second day names a month the reader refuses
    };
    const std::vector<SCase> cases = {
        {"html", false, EFetchResult::NotQuotes},
        {"html200", false, EFetchResult::NotQuotes},
        {"wrong", true, EFetchResult::NotQuotes},
        {"status500", false, EFetchResult::NotQuotes},
        {"header-extra", false, EFetchResult::NotQuotes},
        {"header-extra", true, EFetchResult::NotQuotes},
        {"empty", false, EFetchResult::NoAnswer},
        {"short", true, EFetchResult::NoAnswer},
        {"cut-last", false, EFetchResult::NotQuotes},
        {"none", false, EFetchResult::NotQuotes, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + (c.local ? " renewal" : " full download"));
        TearDown();
        view = CRecordingRunView{};
        SetUp();
        if (c.local) PutLocal("NYSE", "AAA", QuoteText(kLocal));
        std::vector<std::string> service = kService;
        if (c.badMonth) service[1] = "28-dec-06,10.25,11.50,9.00,10.75,100001,10.75";
        server->PutQuotes(kA.symbol, QuoteText(service));
        server->SetFault(c.fault, 1);
        Select({kA});
        run->Start();
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(Results(view), std::vector<EFetchResult>{c.result});
        if (c.local) {
            EXPECT_EQ(ReadTextFile(QuoteFile("NYSE", "AAA")), QuoteText(kLocal));
        } else {
            EXPECT_TRUE(VisibleFiles(dataFolder + "NYSE").empty());
        }
    }
}
