#include "DownloadTestSupport.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CAlphaVantageSource.h"
#include "download/CStooqSource.h"
#include "download/IsoCsvQuotes.h"
#include "download/QuoteQuery.h"
#include "quotes/QuoteLineDate.h"

namespace {
std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("?");
}

const std::string kStooqHeader = "Date,Open,High,Low,Close,Volume";
const std::string kAlphaHeader = "timestamp,open,high,low,close,volume";
const std::vector<std::string> kLocal = WeekdayLines(2005, 1, 7, 30);
const std::vector<std::string> kService = WeekdayLines(2005, 1, 11, 600);
const std::string kOldFile = QuoteText(kLocal);
} // namespace

class SourceDownload : public DownloadFixture {
protected:
    std::shared_ptr<const CQuoteSource> Stooq(const std::string& key = "") {
        return std::make_shared<CStooqSource>(server->BaseUrl(), key, ".us");
    }
    std::shared_ptr<const CQuoteSource> Alpha(const std::string& key = "KEY") {
        return std::make_shared<CAlphaVantageSource>(server->BaseUrl(), key, "");
    }
    EJobResult Full(std::shared_ptr<const CQuoteSource> source, int64_t start) {
        auto request = Request();
        request.source = std::move(source);
        EXPECT_TRUE(StartFullDownload(*queue, request, start));
        return Wait(request);
    }
    EJobResult Renew(std::shared_ptr<const CQuoteSource> source) {
        auto request = Request();
        request.source = std::move(source);
        EXPECT_TRUE(StartRenewal(*queue, request));
        return Wait(request);
    }
};

TEST_F(SourceDownload, FullDownloadWritesEachSourcesAnswerInTheQuoteFilesForm) {
    struct Case {
        const char* name;
        bool stooq;
        std::string answer;
    };
    const Case cases[] = {
        {"stooq oldest first", true, IsoAnswer(kService, true, kStooqHeader)},
        {"stooq CRLF with a byte-order mark", true,
         "\xEF\xBB\xBF" + IsoAnswer(kService, true, kStooqHeader, "\r\n")},
        {"alphavantage newest first CRLF", false, IsoAnswer(kService, false, kAlphaHeader, "\r\n")},
    };
    const int64_t start = LocalMidnightSeconds(2000, 1, 1);
    for (const Case& c : cases) {
        std::filesystem::remove(QuoteFile());
        if (c.stooq)
            server->PutStooqAnswer("ibm.us", c.answer);
        else
            server->PutAlphaVantageAnswer("IBM", c.answer);
        EXPECT_EQ(Full(c.stooq ? Stooq() : Alpha(), start), EJobResult::Done) << c.name;
        EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(kService)) << c.name;
        EXPECT_TRUE(prompter.messages.empty()) << c.name << ": " << prompter.messages.front();
        prompter.messages.clear();
    }
    EXPECT_EQ(server->LastPath(), "/query?function=TIME_SERIES_DAILY&symbol=IBM&outputsize=full"
                                  "&datatype=csv&apikey=KEY");
    Full(Stooq("k1"), start);
    EXPECT_EQ(server->LastPath(), "/q/d/l/?s=ibm.us&d1=20000101&d2=" +
                                      CompactLocalDate(std::time(nullptr)) + "&i=d&apikey=k1");
}

TEST_F(SourceDownload, RefusedAnswersKeepTheFileAndSayWhy) {
    const std::string noVolume = "Date,Open,High,Low,Close\n2005-01-07,1,2,0.5,1.5\n";
    struct Case {
        const char* name;
        bool stooq;
        const char* answer; // null: none stored
        const char* fault;
        std::string message;
    };
    const std::string limit =
        "refused the download: its request limit is used up. Try again later or choose another "
        "source in section QUOTE_SOURCE of setup.ini.";
    const Case cases[] = {
        {"stooq no data", true, nullptr, "none", Text(3)},
        {"stooq daily hits", true, "Exceeded the daily hits limit\n", "none",
         "The quote service stooq " + limit},
        {"stooq key page", true, "<!DOCTYPE html>\n<html><body>apikey</body></html>\n", "none",
         "The quote service stooq asks for an API key. Get one at https://stooq.com and enter it "
         "as ApiKey_stooq in section QUOTE_SOURCE of setup.ini."},
        {"stooq 404", true, "Date,Open,High,Low,Close,Volume\n", "status404", Text(3)},
        {"stooq 429", true, "Date,Open,High,Low,Close,Volume\n", "status429",
         "The quote service stooq " + limit},
        {"stooq 503", true, "Date,Open,High,Low,Close,Volume\n", "status503",
         "The quote service stooq answered with an error (HTTP status 503). Try again later."},
        {"alphavantage unknown symbol", false, nullptr, "none", Text(3)},
        {"alphavantage daily note", false,
         "{\"Information\": \"Our standard API rate limit is 25 requests per day.\"}", "none",
         "The quote service alphavantage " + limit},
        {"alphavantage premium", false,
         "{\"Information\": \"The **outputsize=full** parameter value is a premium feature.\"}",
         "none",
         "The quote service alphavantage keeps the full history for paying subscribers. Choose "
         "another source (Source=stooq in section QUOTE_SOURCE of setup.ini) for a full "
         "download."},
        {"alphavantage 429", false, "timestamp,open,high,low,close,volume\n", "status429",
         "The quote service alphavantage " + limit},
        {"alphavantage 503", false, "timestamp,open,high,low,close,volume\n", "status503",
         "The quote service alphavantage answered with an error (HTTP status 503). Try again "
         "later."},
        {"alphavantage oldest first", false,
         "timestamp,open,high,low,close,volume\n2005-01-06,1,2,0.5,1.5,100\n"
         "2005-01-07,1,2,0.5,1.5,100\n",
         "none",
         "Line 3 of the downloaded data was refused (out of order): "
         "\"2005-01-07,1,2,0.5,1.5,100\". The quote file was not changed."},
    };
    for (const Case& c : cases) {
        WriteTextFile(QuoteFile(), kOldFile);
        RemoveTree(server->Root() + (c.stooq ? "/stooq" : "/alphavantage"));
        if (c.answer && c.stooq) server->PutStooqAnswer("ibm.us", c.answer);
        if (c.answer && !c.stooq) server->PutAlphaVantageAnswer("IBM", c.answer);
        server->SetFault(c.fault);
        EXPECT_EQ(Full(c.stooq ? Stooq() : Alpha(), MissingFileStartDate()), EJobResult::Failed)
            << c.name;
        ASSERT_EQ(prompter.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages[0], c.message) << c.name;
        EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile) << c.name;
        EXPECT_EQ(Notifications(), 0u) << c.name;
        prompter.messages.clear();
    }
    // A day the quote file's two-digit years cannot hold: nothing is written a century off.
    server->SetFault("none");
    server->PutStooqAnswer("ibm.us",
                           "Date,Open,High,Low,Close,Volume\r\n"
                           "1928-12-05,1,2,0.5,1.5,100\r\n1950-01-03,1,2,0.5,1.5,100\r\n");
    EXPECT_EQ(Full(Stooq(), LocalMidnightSeconds(1920, 1, 1)), EJobResult::Failed);
    EXPECT_EQ(
        prompter.messages,
        std::vector<std::string>{"The quote of 1928-12-05 cannot be stored: quote files hold "
                                 "the years 1950 to 2049 only. The quote file was not changed."});
    EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile);
    EXPECT_EQ(server->LastPath().find("/q/d/l/?s=ibm.us&d1=19200101&"), 0u);
    // A quote list without volume is fine: its volume is 0.
    server->PutStooqAnswer("ibm.us", noVolume);
    EXPECT_EQ(Full(Stooq(), MissingFileStartDate()), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText({"7-Jan-05,1,2,0.5,1.5,0,1.5"}));
}

TEST_F(SourceDownload, RenewalThroughEachSourceMergesTheNewDaysInFront) {
    std::vector<std::string> expected = {kService[0], kService[1]};
    ASSERT_EQ(kService[0].rfind("11-Jan-05,", 0), 0u);
    ASSERT_EQ(kService[1].rfind("10-Jan-05,", 0), 0u);
    expected.insert(expected.end(), kLocal.begin(), kLocal.end());

    // stooq answers oldest first: asked from the newest local day, read whole.
    WriteTextFile(QuoteFile(), kOldFile);
    server->PutStooqAnswer("ibm.us", IsoAnswer(kService, true, kStooqHeader, "\r\n"));
    EXPECT_EQ(Renew(Stooq()), EJobResult::Done);
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(expected));
    EXPECT_EQ(server->LastPath(),
              "/q/d/l/?s=ibm.us&d1=20050107&d2=" + CompactLocalDate(std::time(nullptr)) + "&i=d");
    EXPECT_TRUE(prompter.messages.empty());

    // alphavantage answers newest first: cut off soon after the newest local day.
    WriteTextFile(QuoteFile(), kOldFile);
    const std::string whole = IsoAnswer(WeekdayLines(2005, 1, 11, 20000), false, kAlphaHeader);
    server->PutAlphaVantageAnswer("IBM", whole);
    server->Reset();
    EXPECT_EQ(Renew(Alpha()), EJobResult::Done);
    expected[0] = WeekdayLines(2005, 1, 11, 1)[0];
    expected[1] = WeekdayLines(2005, 1, 10, 1)[0];
    std::vector<std::string> fresh = WeekdayLines(2005, 1, 11, 2);
    fresh.insert(fresh.end(), kLocal.begin(), kLocal.end());
    EXPECT_EQ(ReadTextFile(QuoteFile()), QuoteText(fresh));
    EXPECT_LT(server->LastBytes(), static_cast<long>(whole.size()) / 4);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Notifications(), 2u);
}

TEST_F(SourceDownload, RenewalWhoseAnswerDoesNotReachTheLocalDaysFails) {
    // The service knows nothing before 12 January; the file ends on 7 January.
    WriteTextFile(QuoteFile(), kOldFile);
    server->PutStooqAnswer("ibm.us", IsoAnswer(WeekdayLines(2005, 1, 14, 3), true, kStooqHeader));
    EXPECT_EQ(Renew(Stooq()), EJobResult::Failed);
    const std::vector<std::string> messages = {
        "Cannot renew data of the selected stock.Please use \"redownload\" button.",
        "Error downloaded data file format."};
    EXPECT_EQ(prompter.messages, messages);
    EXPECT_EQ(ReadTextFile(QuoteFile()), kOldFile);
}
