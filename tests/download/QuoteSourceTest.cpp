#include "CTestServer.h"
#include "download/CAlphaVantageSource.h"
#include "download/CStooqSource.h"
#include "download/CYahooSource.h"
#include "download/IsoCsvQuotes.h"
#include "download/QuoteSources.h"
#include "quotes/QuoteLineDate.h"
#include "settings/QuoteSourceSettings.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
using K = EQuoteAnswerKind;

const std::string kConverted = "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                               "7-Jan-05,11,11.5,10.75,11.25,1400,11.25\n"
                               "6-Jan-05,10.75,11.25,10.5,11,1300,11\n"
                               "5-Jan-05,10.5,11,10,10.75,1200,10.75\n";

const std::string kStooqOldestFirst = "Date,Open,High,Low,Close,Volume\n"
                                      "2005-01-05,10.5,11,10,10.75,1200\n"
                                      "2005-01-06,10.75,11.25,10.5,11,1300\n"
                                      "2005-01-07,11,11.5,10.75,11.25,1400\n";
const std::string kStooqCrlf = "Date,Open,High,Low,Close,Volume\r\n"
                               "2005-01-05,10.5,11,10,10.75,1200\r\n"
                               "2005-01-06,10.75,11.25,10.5,11,1300\r\n"
                               "2005-01-07,11,11.5,10.75,11.25,1400\r\n";
const std::string kStooqNoVolume = "Date,Open,High,Low,Close\n"
                                   "2005-01-06,10.75,11.25,10.5,11\n"
                                   "2005-01-07,11,11.5,10.75,11.25\n";
const std::string kStooqHtmlKeyPage =
    "<!DOCTYPE html>\n<html><head><title>stooq</title></head><body>Get your apikey: "
    "<a href=\"/q/d/?\">here</a></body></html>\n";

const std::string kAlphaNewestFirst = "timestamp,open,high,low,close,volume\r\n"
                                      "2005-01-07,11,11.5,10.75,11.25,1400\r\n"
                                      "2005-01-06,10.75,11.25,10.5,11,1300\r\n"
                                      "2005-01-05,10.5,11,10,10.75,1200\r\n";
const std::string kAlphaDailyLimit =
    "{\n    \"Information\": \"Thank you for using Alpha Vantage! Our standard API rate limit is "
    "25 requests per day. Please subscribe to any of the premium plans at "
    "https://www.alphavantage.co/premium/ to instantly remove all daily rate limits.\"\n}";
const std::string kAlphaCallFrequency =
    "{\n    \"Note\": \"Thank you for using Alpha Vantage! Our standard API call frequency is 5 "
    "calls per minute and 500 calls per day.\"\n}";
const std::string kAlphaPremium =
    "{\n    \"Information\": \"Thank you for using Alpha Vantage! The **outputsize=full** "
    "parameter value is a premium feature for the TIME_SERIES_DAILY endpoint. You may "
    "subscribe to any of the premium plans at https://www.alphavantage.co/premium/ to "
    "instantly unlock all premium features\"\n}";
const std::string kAlphaMissingKey =
    "{\n    \"Error Message\": \"the parameter apikey is invalid or missing. Please claim your "
    "free API key on (https://www.alphavantage.co/support/#api-key). It should take less than "
    "20 seconds.\"\n}";
const std::string kAlphaInvalidCall =
    "{\n    \"Error Message\": \"Invalid API call. Please retry or visit the documentation "
    "(https://www.alphavantage.co/documentation/) for TIME_SERIES_DAILY.\"\n}";
} // namespace

TEST(QuoteSourceClassify, EveryDocumentedAnswerOfEachSource) {
    const CYahooSource yahoo("http://q.example");
    const CStooqSource stooq("", "", ".us");
    const CAlphaVantageSource alpha("", "KEY", "");
    const std::string yahooQuotes = "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                                    "7-Jan-05,11,11.5,10.75,11.25,1400,11.25\n";
    struct Case {
        const char* name;
        const CQuoteSource& source;
        unsigned long status;
        std::string body;
        K kind;
    };
    const Case cases[] = {
        {"yahoo quotes", yahoo, 200, yahooQuotes, K::Quotes},
        {"yahoo header with more on its line", yahoo, 200, yahooQuotes.substr(0, 43) + ",X\n",
         K::Quotes},
        {"yahoo nothing", yahoo, 404, "", K::NoAnswer},
        {"yahoo error page", yahoo, 404, "<html>Not Found</html>", K::UnknownSymbol},
        {"yahoo quotes at 500", yahoo, 500, yahooQuotes, K::UnknownSymbol},
        {"yahoo other text", yahoo, 200, "Sorry", K::UnknownSymbol},
        {"stooq oldest first", stooq, 200, kStooqOldestFirst, K::Quotes},
        {"stooq CRLF", stooq, 200, kStooqCrlf, K::Quotes},
        {"stooq byte-order mark", stooq, 200, "\xEF\xBB\xBF" + kStooqCrlf, K::Quotes},
        {"stooq no Volume column", stooq, 200, kStooqNoVolume, K::Quotes},
        {"stooq no data", stooq, 200, "No data", K::UnknownSymbol},
        {"stooq no data CRLF", stooq, 200, "No data\r\n", K::UnknownSymbol},
        {"stooq daily hits", stooq, 200, "Exceeded the daily hits limit", K::RateLimited},
        {"stooq HTML key page", stooq, 200, kStooqHtmlKeyPage, K::KeyRequired},
        {"stooq nothing", stooq, 200, "", K::NoAnswer},
        {"stooq 404", stooq, 404, "<html>Not Found</html>", K::UnknownSymbol},
        {"stooq 429", stooq, 429, "", K::RateLimited},
        {"stooq 503", stooq, 503, "<html>busy</html>", K::ServiceError},
        {"stooq 403", stooq, 403, "", K::KeyRequired},
        {"stooq other text", stooq, 200, "Service closed", K::ServiceError},
        {"stooq yahoo form", stooq, 200, yahooQuotes, K::ServiceError},
        {"alphavantage newest first", alpha, 200, kAlphaNewestFirst, K::Quotes},
        {"alphavantage byte-order mark", alpha, 200, "\xEF\xBB\xBF" + kAlphaNewestFirst, K::Quotes},
        {"alphavantage daily limit", alpha, 200, kAlphaDailyLimit, K::RateLimited},
        {"alphavantage call frequency", alpha, 200, kAlphaCallFrequency, K::RateLimited},
        {"alphavantage premium full", alpha, 200, kAlphaPremium, K::PremiumRefused},
        {"alphavantage missing key", alpha, 200, kAlphaMissingKey, K::KeyRequired},
        {"alphavantage invalid call", alpha, 200, kAlphaInvalidCall, K::UnknownSymbol},
        {"alphavantage other JSON", alpha, 200, "{\"x\": 1}", K::ServiceError},
        {"alphavantage nothing", alpha, 200, "", K::NoAnswer},
        {"alphavantage 404", alpha, 404, "", K::ServiceError},
        {"alphavantage 429", alpha, 429, "", K::RateLimited},
        {"alphavantage 503", alpha, 503, "", K::ServiceError},
        {"alphavantage stooq form", alpha, 200, kStooqOldestFirst, K::ServiceError},
    };
    for (const Case& c : cases) EXPECT_EQ(c.source.Classify(c.status, c.body), c.kind) << c.name;
}

TEST(QuoteSourceConvert, EveryQuoteFormByteForByte) {
    const CYahooSource yahoo("http://q.example");
    const CStooqSource stooq("", "", "");
    const CAlphaVantageSource alpha("", "", "");
    struct Case {
        const char* name;
        const CQuoteSource& source;
        std::string body;
        std::string text;
    };
    const std::string yahooBody = "Date,Open,High,Low,Close,Volume,Adj. Close*\r\n"
                                  "7-Jan-05,11,11.5,10.75,11.25,1400,11.20\r\n";
    const Case cases[] = {
        {"yahoo kept as received", yahoo, yahooBody, yahooBody},
        {"stooq oldest first", stooq, kStooqOldestFirst, kConverted},
        {"stooq CRLF", stooq, kStooqCrlf, kConverted},
        {"stooq byte-order mark", stooq, "\xEF\xBB\xBF" + kStooqOldestFirst, kConverted},
        {"stooq last line without line feed", stooq,
         kStooqOldestFirst.substr(0, kStooqOldestFirst.size() - 1), kConverted},
        {"stooq no Volume column", stooq, kStooqNoVolume,
         "Date,Open,High,Low,Close,Volume,Adj. Close*\n7-Jan-05,11,11.5,10.75,11.25,0,11.25\n"
         "6-Jan-05,10.75,11.25,10.5,11,0,11\n"},
        {"stooq header only", stooq, "Date,Open,High,Low,Close,Volume\r\n",
         "Date,Open,High,Low,Close,Volume,Adj. Close*\n"},
        {"stooq empty lines skipped", stooq,
         "Date,Open,High,Low,Close,Volume\n\n2005-01-07,11,11.5,10.75,11.25,1400\n\n",
         "Date,Open,High,Low,Close,Volume,Adj. Close*\n7-Jan-05,11,11.5,10.75,11.25,1400,11.25\n"},
        {"stooq first and last two-digit years", stooq,
         "Date,Open,High,Low,Close,Volume\n1950-01-03,1,2,0.5,1.5,-0\n"
         "2049-12-31,1e2,2E+2,0.5,1.5,8.2e7\n",
         "Date,Open,High,Low,Close,Volume,Adj. Close*\n31-Dec-49,1e2,2E+2,0.5,1.5,8.2e7,1.5\n"
         "3-Jan-50,1,2,0.5,1.5,-0,1.5\n"},
        {"alphavantage newest first CRLF", alpha, kAlphaNewestFirst, kConverted},
        {"alphavantage byte-order mark", alpha, "\xEF\xBB\xBF" + kAlphaNewestFirst, kConverted},
    };
    for (const Case& c : cases) {
        const SQuoteConversion converted = c.source.ToQuoteLines(c.body);
        EXPECT_TRUE(converted.ok) << c.name << ": " << converted.message;
        EXPECT_EQ(converted.text, c.text) << c.name;
    }
}

TEST(QuoteSourceConvert, OutOfFormAnswersAreRefusedNamingTheLine) {
    const CStooqSource stooq("", "", "");
    const CAlphaVantageSource alpha("", "", "");
    const std::string head = "Date,Open,High,Low,Close,Volume\n";
    struct Case {
        const char* name;
        const CQuoteSource& source;
        std::string body;
        std::string message;
    };
    const std::string kept = " The quote file was not changed.";
    const Case cases[] = {
        {"1928 quote", stooq, head + "1928-12-05,1,2,0.5,1.5,100\n",
         "The quote of 1928-12-05 cannot be stored: quote files hold the years 1950 to 2049 "
         "only." +
             kept},
        {"2050 quote", alpha, "timestamp,open,high,low,close,volume\n2050-01-03,1,2,0.5,1.5,100\n",
         "The quote of 2050-01-03 cannot be stored: quote files hold the years 1950 to 2049 "
         "only." +
             kept},
        {"newest first at stooq", stooq,
         head + "2005-01-07,1,2,0.5,1.5,100\n2005-01-06,1,2,0.5,1.5,100\n",
         "Line 3 of the downloaded data was refused (out of order): "
         "\"2005-01-06,1,2,0.5,1.5,100\"." +
             kept},
        {"oldest first at alphavantage", alpha,
         "timestamp,open,high,low,close,volume\n2005-01-06,1,2,0.5,1.5,100\n"
         "2005-01-07,1,2,0.5,1.5,100\n",
         "Line 3 of the downloaded data was refused (out of order): "
         "\"2005-01-07,1,2,0.5,1.5,100\"." +
             kept},
        {"a day twice", stooq, head + "2005-01-07,1,2,0.5,1.5,100\n2005-01-07,1,2,0.5,1.5,100\n",
         "Line 3 of the downloaded data was refused (out of order): "
         "\"2005-01-07,1,2,0.5,1.5,100\"." +
             kept},
        {"30 February", stooq, head + "2005-02-30,1,2,0.5,1.5,100\n",
         "Line 2 of the downloaded data was refused (no date): \"2005-02-30,1,2,0.5,1.5,100\"." +
             kept},
        {"yahoo date", stooq, head + "7-Jan-05,1,2,0.5,1.5,100\n",
         "Line 2 of the downloaded data was refused (no date): \"7-Jan-05,1,2,0.5,1.5,100\"." +
             kept},
        {"letter in a price", stooq, head + "2005-01-07,1,2,0.5,1.5O,100\n",
         "Line 2 of the downloaded data was refused (not a number): "
         "\"2005-01-07,1,2,0.5,1.5O,100\"." +
             kept},
        {"empty volume", stooq, head + "2005-01-07,1,2,0.5,1.5,\n",
         "Line 2 of the downloaded data was refused (not a number): \"2005-01-07,1,2,0.5,1.5,\"." +
             kept},
        {"a field too many", stooq, head + "2005-01-07,1,2,0.5,1.5,100,7\n",
         "Line 2 of the downloaded data was refused (wrong number of fields): "
         "\"2005-01-07,1,2,0.5,1.5,100,7\"." +
             kept},
        {"volume missing under the volume header", stooq, head + "2005-01-07,1,2,0.5,1.5\n",
         "Line 2 of the downloaded data was refused (wrong number of fields): "
         "\"2005-01-07,1,2,0.5,1.5\"." +
             kept},
        {"a control character", stooq, head + "2005-01-07,1,2,0.5,1\x01,100\n",
         "Line 2 of the downloaded data was refused (not a number): "
         "\"2005-01-07,1,2,0.5,1?,100\"." +
             kept},
        {"other header", stooq, "Date,Open,High,Low,Close,Vol\n",
         "Line 1 of the downloaded data was refused (not the header): "
         "\"Date,Open,High,Low,Close,Vol\"." +
             kept},
        {"nothing", alpha, "",
         "Line 1 of the downloaded data was refused (not the header): \"\"." + kept},
    };
    for (const Case& c : cases) {
        const SQuoteConversion converted = c.source.ToQuoteLines(c.body);
        EXPECT_FALSE(converted.ok) << c.name;
        EXPECT_EQ(converted.text, "") << c.name;
        EXPECT_EQ(converted.message, c.message) << c.name;
    }
}

TEST(QuoteSourceQuery, EachSourceAsksInItsOwnForm) {
    const int64_t first = LocalMidnightSeconds(2005, 1, 3);
    const int64_t last = LocalMidnightSeconds(2005, 3, 6) + 15 * 3600;
    EXPECT_EQ(CYahooSource("http://q.example").BuildQuery("IBM", first, last),
              "http://q.example/table.csv?s=IBM&d=2&e=6&f=2005&g=d&a=0&b=3&c=2005&ignore=.csv");
    EXPECT_EQ(CStooqSource("", "", ".US").BuildQuery("AAPL", first, last),
              "https://stooq.com/q/d/l/?s=aapl.us&d1=20050103&d2=20050306&i=d");
    EXPECT_EQ(CStooqSource("http://127.0.0.1:9/", "k y&", ".us").BuildQuery("aapl.us", first, last),
              "http://127.0.0.1:9/q/d/l/?s=aapl.us&d1=20050103&d2=20050306&i=d&apikey=k%20y%26");
    EXPECT_EQ(CStooqSource("", "", "").BuildQuery("^DJI", first, last),
              "https://stooq.com/q/d/l/?s=%5Edji&d1=20050103&d2=20050306&i=d");
    const CAlphaVantageSource alpha("", "DEMO", ".LON");
    EXPECT_EQ(alpha.BuildQuery("VOD", first, last),
              "https://www.alphavantage.co/query?function=TIME_SERIES_DAILY&symbol=VOD.LON"
              "&outputsize=compact&datatype=csv&apikey=DEMO");
    // 100 days back is compact; a day more asks for everything.
    const int64_t today = LocalMidnightSeconds(2005, 6, 30) + 12 * 3600;
    EXPECT_NE(alpha.BuildQuery("VOD", today - 100 * 86400, today).find("&outputsize=compact&"),
              std::string::npos);
    EXPECT_NE(alpha.BuildQuery("VOD", today - 101 * 86400, today).find("&outputsize=full&"),
              std::string::npos);
}

TEST(QuoteSourceQuery, OnlyNewestFirstSourcesAreCutOffAndRenewFrom1980) {
    const int64_t newest = LocalMidnightSeconds(2005, 1, 7);
    const CYahooSource yahoo("");
    const CStooqSource stooq("", "", "");
    const CAlphaVantageSource alpha("", "", "");
    EXPECT_TRUE(yahoo.NewestFirst());
    EXPECT_NE(yahoo.LineDateReader(), nullptr);
    EXPECT_EQ(yahoo.RenewalStart(newest), LocalMidnightSeconds(1980, 1, 1));
    EXPECT_FALSE(stooq.NewestFirst());
    EXPECT_EQ(stooq.LineDateReader(), nullptr);
    EXPECT_EQ(stooq.RenewalStart(newest), newest);
    EXPECT_TRUE(alpha.NewestFirst());
    EXPECT_EQ(alpha.RenewalStart(newest), newest);
    int64_t midnight = 0;
    auto read = alpha.LineDateReader();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read("2005-01-07,11,11.5,10.75,11.25,1400", midnight), CWebGrab::ELineDate::Dated);
    EXPECT_EQ(midnight, newest);
    EXPECT_EQ(read("timestamp,open,high,low,close,volume", midnight),
              CWebGrab::ELineDate::NotADate);
    EXPECT_EQ(read("2005-01-077,1", midnight), CWebGrab::ELineDate::NotADate);
}

TEST(QuoteSourceMessages, EachRefusalSaysWhatToDo) {
    const CStooqSource stooq("", "", "");
    const CStooqSource keyed("", "K", "");
    const CAlphaVantageSource alpha("", "", "");
    EXPECT_EQ(stooq.RefusalMessage(K::KeyRequired, 200),
              "The quote service stooq asks for an API key. Get one at https://stooq.com and "
              "enter it as ApiKey_stooq in section QUOTE_SOURCE of setup.ini.");
    EXPECT_EQ(keyed.RefusalMessage(K::KeyRequired, 403),
              "The quote service stooq refused the API key of ApiKey_stooq in section "
              "QUOTE_SOURCE of setup.ini.");
    EXPECT_EQ(alpha.RefusalMessage(K::KeyRequired, 200),
              "The quote service alphavantage asks for an API key. Get a free one at "
              "https://www.alphavantage.co/support/#api-key and enter it as ApiKey_alphavantage "
              "in section QUOTE_SOURCE of setup.ini.");
    EXPECT_EQ(alpha.RefusalMessage(K::PremiumRefused, 200),
              "The quote service alphavantage keeps the full history for paying subscribers. "
              "Choose another source (Source=stooq in section QUOTE_SOURCE of setup.ini) for a "
              "full download.");
    EXPECT_EQ(stooq.RefusalMessage(K::RateLimited, 200),
              "The quote service stooq refused the download: its request limit is used up. Try "
              "again later or choose another source in section QUOTE_SOURCE of setup.ini.");
    EXPECT_EQ(alpha.RefusalMessage(K::ServiceError, 503),
              "The quote service alphavantage answered with an error (HTTP status 503). Try "
              "again later.");
    // An unknown symbol is the program's own text 3.
    EXPECT_EQ(stooq.RefusalMessage(K::UnknownSymbol, 200), "");
    EXPECT_EQ(CYahooSource("").RefusalMessage(K::ServiceError, 503), "");
}

TEST(QuoteSourceSettingsTest, SectionQuoteSourceChoosesAndConfiguresTheSource) {
    const std::string folder = MakeTempFolder("sources");
    CIniReader ini(folder + "/setup.ini");
    SQuoteSourceSettings defaults = SQuoteSourceSettings::Read(ini);
    EXPECT_EQ(defaults.source, "stooq");
    EXPECT_EQ(defaults.yahooServer, "http://ichart.finance.yahoo.com");
    EXPECT_EQ(defaults.Suffix("stooq", "nyse"), ".us");
    EXPECT_EQ(defaults.Suffix("stooq", "LSE"), "");
    EXPECT_EQ(defaults.Suffix("alphavantage", "NYSE"), "");
    auto stooq = MakeQuoteSource(defaults, "NASDAQ");
    ASSERT_NE(stooq, nullptr);
    EXPECT_EQ(stooq->BuildQuery("MSFT", LocalMidnightSeconds(2005, 1, 3),
                                LocalMidnightSeconds(2005, 1, 4)),
              "https://stooq.com/q/d/l/?s=msft.us&d1=20050103&d2=20050104&i=d");

    // A table.csv service named in [DOWNLOAD] without a chosen source keeps the yahoo form.
    ini.setKey("http://127.0.0.1:8000", "QuoteServer", "DOWNLOAD");
    EXPECT_EQ(SQuoteSourceSettings::Read(ini).source, "yahoo");
    EXPECT_EQ(MakeQuoteSource(SQuoteSourceSettings::Read(ini), "NYSE")
                  ->BuildQuery("IBM", 0, 0)
                  .rfind("http://127.0.0.1:8000/table.csv?s=IBM&", 0),
              0u);

    ini.setKey("AlphaVantage", "Source", "QUOTE_SOURCE");
    ini.setKey("secret", "ApiKey_alphavantage", "QUOTE_SOURCE");
    ini.setKey("http://127.0.0.1:9", "BaseAddress_alphavantage", "QUOTE_SOURCE");
    ini.setKey(".LON", "suffix_lse", "QUOTE_SOURCE");
    SQuoteSourceSettings set = SQuoteSourceSettings::Read(ini);
    EXPECT_EQ(set.source, "alphavantage");
    EXPECT_EQ(set.ApiKey("alphavantage"), "secret");
    EXPECT_EQ(set.BaseAddress("alphavantage"), "http://127.0.0.1:9");
    EXPECT_EQ(set.BaseAddress("yahoo"), "http://127.0.0.1:8000");
    EXPECT_EQ(set.Suffix("alphavantage", "LSE"), ".LON");
    EXPECT_EQ(MakeQuoteSource(set, "LSE")->BuildQuery("VOD", 0, 0),
              "http://127.0.0.1:9/query?function=TIME_SERIES_DAILY&symbol=VOD.LON"
              "&outputsize=compact&datatype=csv&apikey=secret");

    ini.setKey("bloomberg", "Source", "QUOTE_SOURCE");
    EXPECT_EQ(MakeQuoteSource(SQuoteSourceSettings::Read(ini), "NYSE"), nullptr);
    EXPECT_EQ(UnknownQuoteSourceMessage("bloomberg"),
              "Unknown quote source \"bloomberg\" in section QUOTE_SOURCE of setup.ini: choose "
              "yahoo, stooq or alphavantage.");
    RemoveTree(folder);
}

TEST(QuoteSourceSettingsTest, AFileHoldingAKeyIsReadableByItsOwnerOnly) {
    const std::string folder = MakeTempFolder("sourcekey");
    const std::string path = folder + "/setup.ini";
    ASSERT_TRUE(WriteTextFile(path, "[ENVIORMENT]\nLng=English\n"));
    ::chmod(path.c_str(), 0644);
    auto mode = [&] {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 0777;
    };
    CIniReader ini(path);
    SQuoteSourceSettings settings = SQuoteSourceSettings::Read(ini);
    settings.suffixes["NYSE"] = ".us";
    ASSERT_TRUE(settings.Write(ini));
    EXPECT_EQ(mode(), 0644u); // no key: left as it was

    settings.apiKeys["stooq"] = "abc123";
    ASSERT_TRUE(settings.Write(ini));
    EXPECT_EQ(mode(), 0600u);
    // Later writes replace the file and keep its mode.
    ASSERT_EQ(ini.setKey("French", "Lng", "ENVIORMENT"), 1);
    EXPECT_EQ(mode(), 0600u);
    const SQuoteSourceSettings back = SQuoteSourceSettings::Read(ini);
    EXPECT_EQ(back.source, "stooq");
    EXPECT_EQ(back.ApiKey("stooq"), "abc123");
    EXPECT_EQ(back.Suffix("stooq", "NYSE"), ".us");
    EXPECT_EQ(ini.getKeyValue("Lng", "ENVIORMENT"), "French");
    // A missing settings file is made private before the key goes in.
    CIniReader fresh(folder + "/new.ini");
    ASSERT_TRUE(settings.Write(fresh));
    struct stat st {};
    ASSERT_EQ(::stat((folder + "/new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    RemoveTree(folder);
}
