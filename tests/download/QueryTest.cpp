#include "DownloadTestSupport.h"
#include "settings/DownloadSettings.h"
#include "download/QuoteQuery.h"

TEST(QuoteQuery, FullDownloadOfIbmOnTheSixthOfMarch2005) {
    int64_t now = LocalMidnightSeconds(2005, 3, 6) + 15 * 3600;
    EXPECT_EQ(BuildQueryUrl("http://q.example", "IBM", LocalMidnightSeconds(2000, 1, 1), now),
              "http://q.example/table.csv?s=IBM&d=2&e=6&f=2005&g=d&a=0&b=1&c=2000&ignore=.csv");
}

TEST(QuoteQuery, StartDatesAreLocalMidnight) {
    EXPECT_EQ(MissingFileStartDate(), LocalMidnightSeconds(2000, 1, 1));
    EXPECT_EQ(ReDownloadStartDate(), LocalMidnightSeconds(1995, 1, 1));
    EXPECT_EQ(RenewalQueryStartDate(), LocalMidnightSeconds(1980, 1, 1));
    int64_t now = LocalMidnightSeconds(2005, 12, 31);
    EXPECT_EQ(BuildQueryUrl("", "X", RenewalQueryStartDate(), now),
              "/table.csv?s=X&d=11&e=31&f=2005&g=d&a=0&b=1&c=1980&ignore=.csv");
}

TEST(QuoteQuery, TickerIsUrlEncoded) {
    struct Case {
        const char* ticker;
        const char* encoded;
    };
    const Case cases[] = {{"IBM", "IBM"},         {"^DJI", "%5EDJI"},    {"A&B=C", "A%26B%3DC"},
                          {"BRK.B", "BRK.B"},     {"a b", "a%20b"},      {"x#y?z", "x%23y%3Fz"},
                          {"0700.HK", "0700.HK"}, {"\xC3\xA9", "%C3%A9"}};
    for (const Case& c : cases) EXPECT_EQ(UrlEncode(c.ticker), c.encoded);
}

TEST(DownloadSettingsTest, ServiceAddressesAndProxyComeFromSetupIni) {
    std::string folder = MakeTempFolder("settings");
    CIniReader ini(folder + "/setup.ini");
    SDownloadSettings defaults = SDownloadSettings::Read(ini);
    EXPECT_EQ(defaults.quoteServer, "http://ichart.finance.yahoo.com");
    EXPECT_EQ(defaults.marketListServer, "http://www.zentristock.com/download/mklist/");
    EXPECT_FALSE(defaults.useProxy);
    EXPECT_EQ(defaults.proxyPort, "");
    ini.setKey("http://127.0.0.1:8000", "QuoteServer", "DOWNLOAD");
    ini.setKey("http://127.0.0.1:8000/download/mklist/", "MarketListServer", "DOWNLOAD");
    ini.setKeyBool(1, "UseProxy", "PROXY");
    ini.setKey("proxy.example", "ProxyAdd", "PROXY");
    ini.setKey("3128", "ProxyPort", "PROXY");
    SDownloadSettings s = SDownloadSettings::Read(ini);
    EXPECT_EQ(s.quoteServer, "http://127.0.0.1:8000");
    EXPECT_EQ(s.marketListServer, "http://127.0.0.1:8000/download/mklist/");
    EXPECT_TRUE(s.useProxy);
    EXPECT_EQ(s.proxyServer, "proxy.example");
    EXPECT_EQ(s.proxyPort, "3128");
    RemoveTree(folder);
}
