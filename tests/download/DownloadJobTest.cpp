#include "DownloadTestSupport.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/QuoteQuery.h"
#include <csignal>
#include <sys/resource.h>

namespace {
const std::string kOldFile = QuoteText({QuoteLine(2004, 12, 31), QuoteLine(2004, 12, 30)});

std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("?");
}

std::string QueryPath(const std::string& ticker, int64_t start) {
    std::string url = BuildQueryUrl("", ticker, start, std::time(nullptr));
    return url;
}
} // namespace

class FullDownload : public DownloadFixture {};

TEST_F(FullDownload, WritesTheAnswerByteForByteAndTellsTheDocument) {
    std::string history = QuoteText(WeekdayLines(2005, 3, 4, 300));
    server->PutQuotes("IBM", history);
    auto request = Request();
    ASSERT_TRUE(StartFullDownload(*queue, request, LocalMidnightSeconds(2000, 1, 1)));
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), history);
    EXPECT_EQ(server->LastPath(), QueryPath("IBM", LocalMidnightSeconds(2000, 1, 1)));
    auto records = window->Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message.message, 0x0B6Cu);
    EXPECT_EQ(records[0].message.wText, "IBM");
    EXPECT_EQ(records[0].message.lText, "NYSE");
    EXPECT_EQ(records[0].thread, std::this_thread::get_id());
    EXPECT_EQ(progress->Title(), "IBM Data DownLoading running");
    EXPECT_GE(progress->CloseCount(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}

// The transfer's header test looks at the beginning only and passes; the quote reader wants
// the whole first line, so the answer would read as nothing and is not written.
TEST_F(FullDownload, HeaderFollowedByMoreOnItsLinePassesTheTransferButIsNotWritten) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 20)));
    server->SetFault("header-extra");
    auto request = Request();
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Failed);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0], Text(3));
    EXPECT_EQ(prompter.messages[0].rfind("Line 1 of the downloaded data was refused", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(QuoteFile()));
}

TEST_F(FullDownload, FailedAnswersWriteNothingAndShowTheirMessage) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 2000)));
    struct Case {
        const char* fault; // "noserver": nothing listens
        unsigned text;
    };
    const Case cases[] = {
        {"noserver", 2}, {"refuse", 2}, {"empty", 2}, {"reset", 2},   {"short", 2},     {"hang", 2},
        {"huge", 2},     {"wrong", 3},  {"html", 3},  {"html200", 3}, {"status500", 3},
    };
    for (const Case& c : cases) {
        WriteTextFile(QuoteFile(), kOldFile);
        prompter.messages.clear();
        server->SetFault(c.fault == std::string("noserver") ? "none" : c.fault);
        auto request = Request();
        request.timeOutMs = 1000;
        if (c.fault == std::string("noserver"))
            request.settings.quoteServer = "http://127.0.0.1:" + std::to_string(UnusedPort());
        size_t closedBefore = progress->CloseCount();
        StartFullDownload(*queue, request, MissingFileStartDate());
        EXPECT_EQ(Wait(request), EJobResult::Failed) << c.fault;
        EXPECT_EQ(prompter.messages, std::vector<std::string>{Text(c.text)}) << c.fault;
        EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile) << c.fault;
        EXPECT_GT(static_cast<size_t>(progress->CloseCount()), closedBefore) << c.fault;
    }
    EXPECT_EQ(Notifications(), 0u);
}

// Every answer of the test server against an existing quote file: the file is replaced only
// by an answer that the quote reader reads to its end.
TEST_F(FullDownload, AnswersReplaceTheOldFileOnlyWhenTheyReadBackWhole) {
    const std::vector<std::string> days = WeekdayLines(2006, 12, 29, 30);
    const std::string history = QuoteText(days);
    std::vector<std::string> badMonth = days;
    badMonth[1] = "28-dec-06,10.25,11.50,9.00,10.75,100001,10.75";
    const std::string kept = "The quote file was not changed.";
    struct Case {
        const char* fault;
        std::string served; // the server's quote file
        std::vector<std::string> messages;
        std::string written; // the quote file afterwards; empty: the old file
    };
    std::string crlf = history;
    for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2)
        crlf.replace(at, 1, "\r\n");
    const std::string cutLine = days.back().substr(0, days.back().size() - 11);
    const Case cases[] = {
        {"none", history, {}, history},
        {"drip", history, {}, history},
        {"crlf", history, {}, crlf},
        {"refuse", history, {Text(2)}, ""},
        {"hang", history, {Text(2)}, ""},
        {"reset", history, {Text(2)}, ""},
        {"short", history, {Text(2)}, ""},
        {"empty", history, {Text(2)}, ""},
        {"huge", history, {Text(2)}, ""},
        {"huge-length", history, {Text(2)}, ""},
        {"wrong", history, {Text(3)}, ""},
        {"html", history, {Text(3)}, ""},
        {"html200", history, {Text(3)}, ""},
        {"status500", history, {Text(3)}, ""},
        {"header-extra",
         history,
         {"Line 1 of the downloaded data was refused (not the quote header): \"" + kHeader +
          ",Extra\". " + kept},
         ""},
        {"none",
         QuoteText(badMonth),
         {"Unkonwn data file format.",
          "Line 3 of the downloaded data was refused (unknown month): \"" + badMonth[1] + "\". " +
              kept},
         ""},
        {"cut-last",
         history,
         {"Line 31 of the downloaded data was refused (the data end inside this line): \"" +
          cutLine + "\". " + kept},
         ""},
        {"none", QuoteText({}), {"The downloaded data hold no quote. " + kept}, ""},
    };
    const std::string old = QuoteText(WeekdayLines(2007, 3, 2, 1759));
    for (const Case& c : cases) {
        const std::string name = c.fault + (" case " + std::to_string(&c - cases));
        WriteTextFile(QuoteFile(), old);
        server->PutQuotes("IBM", c.served);
        server->SetFault(c.fault);
        prompter.messages.clear();
        size_t notified = Notifications();
        auto request = Request();
        request.timeOutMs = 1000;
        ASSERT_TRUE(StartFullDownload(*queue, request, ReDownloadStartDate())) << name;
        const bool good = !c.written.empty();
        EXPECT_EQ(Wait(request), good ? EJobResult::Done : EJobResult::Failed) << name;
        EXPECT_EQ(prompter.messages, c.messages) << name;
        const std::string now = ReadTextFile(QuoteFile());
        EXPECT_TRUE(now == (good ? c.written : old))
            << name << ": " << std::count(now.begin(), now.end(), '\n') << " lines, "
            << now.substr(0, now.find('\n'));
        EXPECT_EQ(Notifications() - notified, good ? 1u : 0u) << name;
    }
    server->SetFault("none");
}

TEST_F(FullDownload, UnknownSymbolAnswersWithTextThree) {
    auto request = Request("NOSUCH");
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Failed);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{Text(3)});
    EXPECT_FALSE(std::filesystem::exists(QuoteFile("NOSUCH")));
}

TEST_F(FullDownload, CancelBeforeTheFetchEndsLeavesTheOldFileAndShowsNothing) {
    WriteTextFile(QuoteFile(), kOldFile);
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 40)));
    server->SetFault("drip");
    progress->SetStatusHook([this](const std::string& text) {
        if (text.rfind("Read ", 0) == 0) progress->Cancel();
    });
    auto request = Request();
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Cancelled);
    EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Notifications(), 0u);
    EXPECT_GE(progress->CloseCount(), 1);
}

TEST_F(FullDownload, CancelAfterTheFetchWritesTheFileButDoesNotReload) {
    std::string history = QuoteText(WeekdayLines(2005, 3, 4, 40));
    server->PutQuotes("IBM", history);
    progress->CancelAtCheck(2); // the look after the fetch passes, the one after the write not
    auto request = Request();
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Cancelled);
    EXPECT_EQ(ReadTextFile(QuoteFile()), history);
    EXPECT_EQ(Notifications(), 0u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FullDownload, UnwritableFileKeepsTheOldOneAndSaysSo) {
    std::string big = QuoteText(WeekdayLines(2005, 3, 4, 200));
    WriteTextFile(QuoteFile(), kOldFile);
    server->PutQuotes("IBM", big);
    // Files may not grow beyond 1 KB for the moment: the new quote file cannot be written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    auto request = Request();
    StartFullDownload(*queue, request, MissingFileStartDate());
    EJobResult result = Wait(request);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result, EJobResult::Failed);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Can not saving the new data file."});
    EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile);
    EXPECT_EQ(Notifications(), 0u);
}

TEST_F(FullDownload, MissingMarketFolderIsCreated) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 5)));
    auto request = Request();
    request.market = "AMEX";
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_TRUE(std::filesystem::exists(dataFolder + "AMEX/IBM.csv"));
}

TEST_F(FullDownload, ClosedDocumentDropsTheResult) {
    std::string history = QuoteText(WeekdayLines(2005, 3, 4, 30));
    server->PutQuotes("IBM", history);
    server->SetFault("drip");
    // The document closes while the answer comes in: on the UI thread, the window detaches.
    progress->SetStatusHook([this](const std::string& text) {
        if (text.rfind("Read ", 0) == 0) loop.Post([this] { window->Detach(); });
    });
    auto request = Request();
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), history);
    EXPECT_EQ(window->Count(), 0u);
}

TEST_F(FullDownload, DestroyingTheQueueCancelsAHangingTransfer) {
    server->SetFault("hang");
    auto request = Request();
    request.timeOutMs = 0; // the 60 s default: only the cancel can end it soon
    StartFullDownload(*queue, request, MissingFileStartDate());
    ASSERT_TRUE(Eventually([&] { return server->Requests() == 1; }));
    auto started = std::chrono::steady_clock::now();
    queue.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(request.result->Get(), EJobResult::Cancelled);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FullDownload, TickerIsUrlEncodedInTheQuery) {
    server->PutQuotes("^DJI", QuoteText(WeekdayLines(2005, 3, 4, 5)));
    auto request = Request("^DJI");
    StartFullDownload(*queue, request, ReDownloadStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(server->LastPath().rfind("/table.csv?s=%5EDJI&d=", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(QuoteFile("^DJI")));
}

TEST_F(FullDownload, UnsafeNamesAreRefusedBeforeAnythingIsQueued) {
    const char* tickers[] = {"../IBM", "a/b", "..", "", "x\ny"};
    for (const char* ticker : tickers) {
        prompter.messages.clear();
        EXPECT_FALSE(StartFullDownload(*queue, Request(ticker), MissingFileStartDate()));
        ASSERT_EQ(prompter.messages.size(), 1u) << ticker;
        EXPECT_NE(prompter.messages[0].find("cannot be used as a file name"), std::string::npos);
    }
    auto request = Request();
    request.market = "../etc";
    EXPECT_FALSE(StartRenewal(*queue, request));
    EXPECT_EQ(server->Requests(), 0);
}

TEST_F(FullDownload, NamedProxyFromTheSettingsCarriesTheQuery) {
    std::string history = QuoteText(WeekdayLines(2005, 3, 4, 10));
    server->PutQuotes("IBM", history);
    auto request = Request();
    request.settings.quoteServer = "http://quotes.example";
    request.settings.useProxy = true;
    request.settings.proxyServer = "127.0.0.1";
    request.settings.proxyPort = std::to_string(server->Port());
    StartFullDownload(*queue, request, MissingFileStartDate());
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(server->Proxied(), 1);
    EXPECT_EQ(ReadTextFile(QuoteFile()), history);
}

TEST_F(FullDownload, DocumentCommandsAskFirstAndKnowNoName) {
    server->PutQuotes("IBM", QuoteText(WeekdayLines(2005, 3, 4, 10)));
    prompter.answer = false;
    EXPECT_FALSE(OfferMissingFileDownload(*queue, Request()));
    EXPECT_FALSE(ReDownload(*queue, Request()));
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{Text(1), Text(10)}));
    EXPECT_FALSE(ReDownload(*queue, Request("NoName")));
    EXPECT_FALSE(UpdateEodData(*queue, Request("NoName")));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{Text(88), Text(88)}));
    prompter.answer = true;
    auto request = Request();
    ASSERT_TRUE(ReDownload(*queue, request));
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(server->LastPath(), QueryPath("IBM", LocalMidnightSeconds(1995, 1, 1)));
    request = Request();
    ASSERT_TRUE(OfferMissingFileDownload(*queue, request));
    EXPECT_EQ(Wait(request), EJobResult::Done);
    EXPECT_EQ(server->LastPath(), QueryPath("IBM", LocalMidnightSeconds(2000, 1, 1)));
}
