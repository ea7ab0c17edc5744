#include "CTestServer.h"
#include "ctlkit/http/CWebGrab.h"
#include "ctlkit/http/CWebGrabSession.h"
#include "ctlkit/jobs/CRecordingProgress.h"
#include "download/QuoteQuery.h"
#include "quotes/QuoteLineDate.h"
#include <atomic>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <string>
#include <thread>

namespace {
const std::string kHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*";
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A newest-first history of `days` calendar days ending on `last` (days counted back).
std::string History(int days, int year = 2005, int month = 1, int day = 20) {
    std::string text = kHeader + "\n";
    int64_t midnight = LocalMidnightSeconds(year, month, day);
    for (int i = 0; i < days; ++i) {
        time_t t = static_cast<time_t>(midnight) - static_cast<time_t>(i) * 86400 + 43200;
        std::tm tm{};
        localtime_r(&t, &tm);
        char line[96];
        std::snprintf(line, sizeof line, "%d-%s-%02d,%d.25,%d.50,%d.00,%d.75,%d,%d.75\n",
                      tm.tm_mday, kMonths[tm.tm_mon], tm.tm_year % 100, 10 + i % 7, 11 + i % 7,
                      9 + i % 7, 10 + i % 7, 100000 + i, 10 + i % 7);
        text += line;
    }
    return text;
}

// The byte counts of the "Read %d bytes" status texts, in order.
std::vector<long> ReadCounts(const std::vector<std::string>& texts) {
    std::vector<long> counts;
    static const std::regex read("^Read ([0-9]+) bytes");
    std::smatch match;
    for (auto& text : texts)
        if (std::regex_search(text, match, read)) counts.push_back(std::stol(match[1]));
    return counts;
}

class WebGrabTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = MakeTempFolder("webgrab");
        server = std::make_unique<CTestServer>(m_root);
        ASSERT_TRUE(server->Started());
    }
    void TearDown() override {
        server.reset();
        RemoveTree(m_root);
    }
    std::string Url(const std::string& ticker, const std::string& extra = "") {
        return server->BaseUrl() + "/table.csv?s=" + ticker + extra;
    }

    std::unique_ptr<CTestServer> server;

private:
    std::string m_root;
};
} // namespace

TEST_F(WebGrabTest, GetFileReturnsExactlyTheBytesWithStatusHeadersAndProgress) {
    std::string body = History(400);
    server->PutQuotes("IBM", body);
    CWebGrab grab;
    CRecordingProgress status;
    std::string result = "old";
    ASSERT_TRUE(grab.GetFile(Url("IBM"), result, nullptr, &status));
    EXPECT_EQ(result, body);
    EXPECT_EQ(grab.GetPageStatusCode(), 200u);
    EXPECT_NE(grab.GetRawHeaders().find("HTTP/1.1 200 OK\r\n"), std::string::npos);
    EXPECT_NE(grab.GetRawHeaders().find("Content-Type: text/csv\r\n"), std::string::npos);
    EXPECT_EQ(grab.GetErrorMessage(), "");
    EXPECT_EQ(grab.GetErrorCode(), 0);
    EXPECT_EQ(server->LastAgent(), "ZentriStock");

    auto texts = status.StatusTexts();
    auto counts = ReadCounts(texts);
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), static_cast<long>(body.size()));
    for (size_t i = 1; i < counts.size(); ++i) {
        EXPECT_GT(counts[i], counts[i - 1]);
        EXPECT_LE(counts[i] - counts[i - 1], 4095);
    }
    EXPECT_LE(counts.front(), 4095);
    for (const char* expected :
         {"Resolved name for 127.0.0.1", "Connecting to socket address ",
          "Connected to socket address", "Sending request...", "Request sent", "Response received",
          "Request complete, dwResult = 00000001, dwError = 00000000"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    EXPECT_EQ(texts.back(), ""); // cleared at the end
}

TEST_F(WebGrabTest, GetDataReadsInPiecesOf512Bytes) {
    std::string body = History(200);
    server->PutQuotes("IBM", body);
    CWebGrab grab;
    grab.m_timeCutoff = LocalMidnightSeconds(1990, 1, 1); // nothing is older
    grab.SetLineDateReader(&ReadAnswerLineDate);
    CRecordingProgress status;
    std::string result;
    ASSERT_TRUE(grab.GetData(Url("IBM"), result, nullptr, &status));
    EXPECT_EQ(result, body);
    EXPECT_FALSE(grab.StoppedEarly());
    auto counts = ReadCounts(status.StatusTexts());
    ASSERT_GT(counts.size(), body.size() / 512);
    for (size_t i = 1; i < counts.size(); ++i) EXPECT_LE(counts[i] - counts[i - 1], 512);
}

TEST_F(WebGrabTest, GetDataStopsAfterThePieceWithTheFirstLineBeforeTheCutoff) {
    std::string body = History(3000);
    server->PutQuotes("IBM", body);
    CWebGrab grab;
    grab.m_timeCutoff = LocalMidnightSeconds(2005, 1, 3);
    grab.SetLineDateReader(&ReadAnswerLineDate);
    std::string result;
    ASSERT_TRUE(grab.GetData(Url("IBM"), result));
    EXPECT_TRUE(grab.StoppedEarly());
    EXPECT_EQ(grab.GetPageStatusCode(), 200u);
    size_t older = body.find("\n2-Jan-05,");
    ASSERT_NE(older, std::string::npos);
    size_t lineEnd = body.find('\n', older + 1) + 1;
    EXPECT_EQ(body.compare(0, result.size(), result), 0); // a prefix of the answer
    EXPECT_GE(result.size(), lineEnd);
    EXPECT_LT(result.size(), lineEnd + 512);
}

TEST_F(WebGrabTest, GetDataJudgesALineCutByAPieceBoundaryAsAWhole) {
    // Dripped in 64-byte sends, so pieces end every 64 bytes of the body. The line of
    // 12 January is cut after its "1": judged by its second part alone it would read as
    // 2 January, before the cut-off, and stop the reading at once.
    std::string body = kHeader + "\n";
    std::string lead = "14-Jan-05,1.0,2.0,3.0,4.0,5,6\n";
    while (body.size() + lead.size() < 63) body += lead;
    body += std::string(63 - body.size() - 1, '<') + "\n";
    ASSERT_EQ(body.size(), 63u);
    body += "12-Jan-05,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "11-Jan-05,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "10-Jan-05,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "31-Dec-04,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "30-Dec-04,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "29-Dec-04,10.00,11.00,9.00,10.50,100,10.50\n";
    body += "28-Dec-04,10.00,11.00,9.00,10.50,100,10.50\n";
    server->PutQuotes("CUT", body);
    CWebGrab grab;
    grab.m_timeCutoff = LocalMidnightSeconds(2005, 1, 3);
    grab.SetLineDateReader(&ReadAnswerLineDate);
    std::string result;
    ASSERT_TRUE(grab.GetData(Url("CUT", "&fault=drip"), result));
    EXPECT_TRUE(grab.StoppedEarly());
    EXPECT_NE(result.find("31-Dec-04"), std::string::npos);
    EXPECT_EQ(result.find("28-Dec-04"), std::string::npos);
}

TEST_F(WebGrabTest, GetDataStopsAtAnUnknownMonthName) {
    std::string body =
        History(20) + "5-dec-04,1.00,2.00,3.00,4.00,5,6\n" + History(2000).substr(44);
    server->PutQuotes("BAD", body);
    CWebGrab grab;
    grab.m_timeCutoff = LocalMidnightSeconds(1990, 1, 1);
    grab.SetLineDateReader(&ReadAnswerLineDate);
    std::string result;
    ASSERT_TRUE(grab.GetData(Url("BAD"), result));
    EXPECT_TRUE(grab.UnknownFormatSeen());
    EXPECT_TRUE(grab.StoppedEarly());
    EXPECT_LT(result.size(), body.size());
}

TEST_F(WebGrabTest, FailedTransfersReturnFalseWithAMessage) {
    server->PutQuotes("IBM", History(2000));
    struct Case {
        const char* fault;
        bool afterOpen; // the answer had begun: the last error is set as well
    };
    const Case cases[] = {{"refuse", false}, {"reset", true}, {"short", true}};
    for (const Case& c : cases) {
        CWebGrab grab;
        std::string result;
        EXPECT_FALSE(grab.GetFile(Url("IBM", std::string("&fault=") + c.fault), result)) << c.fault;
        EXPECT_NE(grab.GetErrorMessage(), "") << c.fault;
        EXPECT_EQ(grab.GetErrorCode(), c.afterOpen ? 1 : 0) << c.fault;
        CWebGrab data;
        data.m_timeCutoff = LocalMidnightSeconds(1990, 1, 1);
        data.SetLineDateReader(&ReadAnswerLineDate);
        EXPECT_FALSE(data.GetData(Url("IBM", std::string("&fault=") + c.fault), result)) << c.fault;
    }
}

TEST_F(WebGrabTest, NoServerListeningIsAFailedFetch) {
    CWebGrab grab;
    std::string result;
    EXPECT_FALSE(
        grab.GetFile("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/table.csv", result));
    EXPECT_TRUE(result.empty());
    EXPECT_NE(grab.GetErrorMessage(), "");
    EXPECT_FALSE(
        grab.CheckConnect("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/", result));
}

TEST_F(WebGrabTest, SilentServerIsGivenUpAfterTheTimeOut) {
    CWebGrab grab;
    grab.SetTimeOut(1000);
    std::string result;
    EXPECT_FALSE(grab.GetFile(Url("IBM", "&fault=hang"), result));
    EXPECT_NE(grab.GetErrorMessage(), "");
}

TEST_F(WebGrabTest, AnswersOver64MegabytesAreRefused) {
    for (const char* fault : {"huge", "huge-length"}) {
        CWebGrab grab;
        std::string result;
        EXPECT_FALSE(grab.GetFile(Url("IBM", std::string("&fault=") + fault), result)) << fault;
        EXPECT_EQ(grab.GetErrorMessage(), "The answer is larger than 64 MB.") << fault;
        EXPECT_LE(result.size(), CWebGrab::kMaxResponseBytes);
    }
}

TEST_F(WebGrabTest, ErrorPagesAndEmptyBodiesAreFetchesWithTheirStatus) {
    CWebGrab grab;
    std::string result;
    ASSERT_TRUE(grab.GetFile(Url("NOSUCH"), result));
    EXPECT_EQ(grab.GetPageStatusCode(), 404u);
    EXPECT_EQ(result.compare(0, 9, "<!DOCTYPE"), 0);
    ASSERT_TRUE(grab.GetFile(Url("IBM", "&fault=empty"), result));
    EXPECT_EQ(result, "");
    EXPECT_EQ(grab.GetPageStatusCode(), 200u);
}

TEST_F(WebGrabTest, CancelFlagAbortsARunningTransfer) {
    server->PutQuotes("IBM", History(300));
    std::atomic<bool> cancel{false};
    CRecordingProgress status;
    status.SetStatusHook([&](const std::string& text) {
        if (text.rfind("Read ", 0) == 0) cancel = true;
    });
    CWebGrab grab;
    grab.SetCancelFlag(&cancel);
    std::string result;
    EXPECT_FALSE(grab.GetFile(Url("IBM", "&fault=drip"), result, nullptr, &status));
    EXPECT_EQ(grab.GetErrorMessage(), "The transfer was cancelled.");
    EXPECT_LT(result.size(), History(300).size());
}

// Either flag ends the transfer: the job's own (its queue is going away) or the dialog's
// "Cancel"; a transfer that receives nothing at all ends within about a second too.
TEST_F(WebGrabTest, EitherCancelFlagAbortsTheTransferSoon) {
    server->PutQuotes("IBM", History(300));
    struct SCase {
        const char* name;
        const char* fault;
        bool cancelJob;
        bool cancelUser;
        bool fetched;
    };
    const SCase cases[] = {
        {"job flag, slow drip", "&fault=drip", true, false, false},
        {"user flag, slow drip", "&fault=drip", false, true, false},
        {"user flag, server silent", "&fault=hang", false, true, false},
        {"job flag, server silent", "&fault=hang", true, false, false},
        {"neither flag", "", false, false, true},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        std::atomic<bool> job{false}, user{false};
        const long before = server->Requests();
        CWebGrab grab;
        grab.SetCancelFlags(&job, &user);
        std::string result;
        std::atomic<bool> done{false};
        std::chrono::steady_clock::time_point ended;
        bool fetched = false;
        std::thread transfer([&] {
            fetched = grab.GetFile(Url("IBM", test.fault), result);
            ended = std::chrono::steady_clock::now();
            done = true;
        });
        // Once the server has the request, the one button is pressed.
        for (int i = 0; i < 5000 && server->Requests() == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_GT(server->Requests(), before);
        const auto pressed = std::chrono::steady_clock::now();
        if (test.cancelJob) job = true;
        if (test.cancelUser) user = true;
        transfer.join();
        EXPECT_EQ(fetched, test.fetched);
        if (test.fetched) {
            EXPECT_EQ(result, History(300));
        } else {
            EXPECT_EQ(grab.GetErrorMessage(), "The transfer was cancelled.");
            EXPECT_LT(ended - pressed, std::chrono::milliseconds(1500));
        }
    }
}

TEST_F(WebGrabTest, CheckConnectReadsOnlyTheFirstPiece) {
    server->PutQuotes("IBM", History(500));
    CWebGrab grab;
    std::string result;
    ASSERT_TRUE(grab.CheckConnect(Url("IBM"), result));
    EXPECT_GT(result.size(), 0u);
    EXPECT_LE(result.size(), 512u);
    EXPECT_EQ(result.compare(0, kHeader.size(), kHeader), 0);
    EXPECT_EQ(grab.GetPageStatusCode(), 0u);
    EXPECT_FALSE(grab.CheckConnect(Url("IBM", "&fault=empty"), result));
}

TEST_F(WebGrabTest, NamedProxyCarriesTheRequest) {
    server->PutQuotes("IBM", History(30));
    CWebGrab grab;
    grab.SetProxy("127.0.0.1", static_cast<uint16_t>(server->Port()), true);
    std::string result;
    ASSERT_TRUE(grab.GetFile("http://quotes.example/table.csv?s=IBM", result));
    EXPECT_EQ(result, History(30));
    EXPECT_EQ(server->Proxied(), 1);
    EXPECT_EQ(server->LastPath(), "http://quotes.example/table.csv?s=IBM");
}

TEST_F(WebGrabTest, SessionIsReusedAndAGivenStatusWindowServesOneFetch) {
    server->PutQuotes("IBM", History(30));
    CWebGrab grab;
    CRecordingProgress first, second;
    std::string result;
    ASSERT_TRUE(grab.Initialise("Agent/1", &first));
    ASSERT_TRUE(grab.GetFile(Url("IBM"), result, "ignored", &second));
    EXPECT_EQ(server->LastAgent(), "Agent/1");
    EXPECT_FALSE(second.StatusTexts().empty());
    size_t before = second.StatusTexts().size();
    ASSERT_TRUE(grab.GetFile(Url("IBM"), result));
    EXPECT_EQ(second.StatusTexts().size(), before);
}

TEST(WebGrabSession, StatusCodesMapToTheirTexts) {
    struct Case {
        unsigned long code;
        const char* info;
        const char* expected; // null: the text stays as it was
    };
    const Case cases[] = {
        {10, "quotes.example", "Resolving name for quotes.example"},
        {11, "quotes.example", "Resolved name for quotes.example"},
        {20, nullptr, "Connecting to socket address "},
        {21, nullptr, "Connected to socket address"},
        {30, nullptr, "Sending request..."},
        {31, nullptr, "Request sent"},
        {40, nullptr, nullptr},
        {41, nullptr, "Response received"},
        {50, nullptr, "Closing the connection to the server"},
        {51, nullptr, "Connection to the server closed"},
        {60, nullptr, ""},
        {70, nullptr, nullptr},
        {100, nullptr, "Request complete"},
        {77, nullptr, "Unknown status: 77"},
    };
    for (const Case& c : cases) {
        CRecordingProgress window;
        CWebGrabSession session("agent", &window);
        session.SetStatus("before");
        session.OnStatusCallback(1, c.code, c.info, 0);
        EXPECT_EQ(session.GetErrorMessage(), c.expected ? c.expected : "before") << c.code;
        EXPECT_EQ(window.StatusTexts().back(), c.expected ? c.expected : "before") << c.code;
    }
    CWebGrabSession session("agent");
    CWebGrabSession::SAsyncResult result{0x12, 0xABCDEF};
    session.OnStatusCallback(1, 100, &result, sizeof result);
    EXPECT_EQ(session.GetErrorMessage(),
              "Request complete, dwResult = 00000012, dwError = 00ABCDEF");
    session.SetStatus("%s", std::string(2000, 'x').c_str());
    EXPECT_EQ(session.GetErrorMessage(), std::string(511, 'x'));
}
