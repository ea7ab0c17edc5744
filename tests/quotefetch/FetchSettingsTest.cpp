#include "settings/FetchSettings.h"
#include "CTestServer.h"
#include <gtest/gtest.h>

TEST(FetchSettingsTest, ReadsTheSharedDataFolderLanguageServiceAndProxy) {
    const std::string home = MakeTempFolder("fetchsettings");
    const CInstallPaths paths(home);
    struct SCase {
        const char* name;
        const char* ini; // null: no setup.ini
        SFetchSettings expected;
    };
    const std::vector<SCase> cases = {
        {"no setup.ini",
         nullptr,
         {home + "/Data/", "", "http://ichart.finance.yahoo.com", false, "", ""}},
        {"everything set",
         "[ENVIORMENT]\nDATA_DIRECTORY=Quotes\nLng=Deutsch.lng\n"
         "[PROXY]\nUseProxy=1\nProxyAdd=proxy.example\nProxyPort=3128\n"
         "[DOWNLOAD]\nQuoteServer=http://quotes.example\n",
         {home + "/Quotes/", "Deutsch.lng", "http://quotes.example", true, "proxy.example",
          "3128"}},
        {"the chart program's key first",
         "[DATA_DIRECTORY]\nDataDirectory=/srv/quotes\n[ENVIORMENT]\nDATA_DIRECTORY=Quotes\n",
         {"/srv/quotes/", "", "http://ichart.finance.yahoo.com", false, "", ""}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(paths.SetupIni().c_str());
        if (c.ini) {
            ASSERT_TRUE(WriteTextFile(paths.SetupIni(), c.ini));
        }
        CIniReader ini(paths.SetupIni());
        const SFetchSettings read = SFetchSettings::Read(paths, ini);
        EXPECT_EQ(read.dataFolder, c.expected.dataFolder);
        EXPECT_EQ(read.languageName, c.expected.languageName);
        EXPECT_EQ(read.quoteServer, c.expected.quoteServer);
        EXPECT_EQ(read.useProxy, c.expected.useProxy);
        EXPECT_EQ(read.proxyServer, c.expected.proxyServer);
        EXPECT_EQ(read.proxyPort, c.expected.proxyPort);
    }
    EXPECT_EQ(paths.DownloaderSelection(), home + "/System/downloader.dat");
    EXPECT_EQ(paths.DownloaderLock(), home + "/System/quotefetch.lock");
    RemoveTree(home);
}
