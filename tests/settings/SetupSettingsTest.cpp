#include "settings/SetupSettings.h"
#include "ctlkit/base/ProgramFolder.h"
#include "settings/CInstallPaths.h"
#include "settings/DownloadSettings.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

class SetupSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zs-settings-XXXXXX";
        home = ::mkdtemp(tmpl);
    }
    void TearDown() override { fs::remove_all(home); }
    std::string SetupPath() const { return home + "/setup.ini"; }
    void WriteIni(const std::string& text) { std::ofstream(home + "/setup.ini") << text; }
    std::string ReadIni() {
        std::ifstream in(home + "/setup.ini");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string home;
};

TEST_F(SetupSettingsTest, PathsAreFormedFromTheProgramFolder) {
    std::string root = home + "/";
    const CInstallPaths paths(home);
    EXPECT_EQ(paths.ProgramFolder(), root);
    EXPECT_EQ(paths.SetupIni(), root + "setup.ini");
    EXPECT_EQ(paths.LanguageFolder(), root + "Lng/");
    EXPECT_EQ(paths.DefaultDataFolder(), root + "Data/");
    EXPECT_EQ(paths.TemplateFolder(), root + "Template/");
    EXPECT_EQ(paths.FavouritesFolder(), root + "fav/");
    EXPECT_EQ(paths.DefaultTemplate(), root + "System/DTemp");
    EXPECT_EQ(paths.MarketList(), root + "Index/market.txt");
    EXPECT_EQ(paths.HelpFile(), root + "help.chm");
    EXPECT_EQ(paths.HelpIndex(), root + "help/index.html");
    EXPECT_EQ(paths.DownloaderProgram(), root + "quotefetch");
    EXPECT_EQ(paths.AdFolder(), root + "Ad/");
    EXPECT_EQ(paths.AdImagesFolder(), root + "Ad/images/");
    // A home of the user's own: the programs stay in the installation.
    const CInstallPaths own(home, "/usr/lib/zentristock");
    EXPECT_EQ(own.SetupIni(), root + "setup.ini");
    EXPECT_EQ(own.DownloaderProgram(), "/usr/lib/zentristock/quotefetch");
}

TEST_F(SetupSettingsTest, AdFoldersAreCreatedWhenMissing) {
    const CInstallPaths paths(home);
    paths.CreateAdFolders();
    EXPECT_TRUE(fs::is_directory(home + "/Ad"));
    EXPECT_TRUE(fs::is_directory(home + "/Ad/images"));
    std::ofstream(home + "/Ad/images/kept.png") << "x";
    paths.CreateAdFolders();
    EXPECT_TRUE(fs::exists(home + "/Ad/images/kept.png"))
        << "existing folders are left as they are";
}

TEST_F(SetupSettingsTest, AdFolderCreationFailureIsIgnored) {
    std::ofstream(home + "/file") << "not a folder";
    const CInstallPaths paths(home + "/file");
    EXPECT_NO_THROW(paths.CreateAdFolders());
    EXPECT_FALSE(fs::exists(home + "/file/Ad"));
}

TEST_F(SetupSettingsTest, HomeWithTrailingSlashIsNotDoubled) {
    EXPECT_EQ(CInstallPaths(home + "/").DefaultDataFolder(), home + "/Data/");
    ::setenv("ZENTRISTOCK_HOME", (home + "/").c_str(), 1);
    EXPECT_EQ(ProgramFolder(), home + "/");
    EXPECT_EQ(CInstallPaths::OfProgram().DefaultDataFolder(), home + "/Data/");
    EXPECT_EQ(CInstallPaths::OfProgram().DownloaderProgram(), ExecutableFolder() + "quotefetch");
    ::unsetenv("ZENTRISTOCK_HOME");
}

TEST_F(SetupSettingsTest, FreshFileGivesEveryDefault) {
    CIniReader ini(SetupPath());
    EXPECT_EQ(ReadLanguageName(ini), "");
    EnvironmentSettings env = EnvironmentSettings::Read(ini);
    EXPECT_FALSE(env.curveFloating);
    EXPECT_FALSE(env.yAxisOffset);
    EXPECT_FALSE(env.connectCheckOn);
    ToolbarSettings bars = ToolbarSettings::Read(ini);
    EXPECT_FALSE(bars.chartCtrl || bars.trendLine || bars.symbol || bars.fiboGan || bars.channel);
    LastChartSettings last = LastChartSettings::Read(ini);
    EXPECT_EQ(last.tickerName, "NoName");
    EXPECT_EQ(last.tickerMarket, "");
    ProxySettings proxy = ProxySettings::Read(ini);
    EXPECT_FALSE(proxy.useProxy);
    EXPECT_EQ(proxy.proxyAdd, "");
    EXPECT_EQ(proxy.proxyPort, "");
    NameBarSettings names = NameBarSettings::Read(ini);
    EXPECT_EQ(names.marIndex, 0);
    EXPECT_FALSE(names.byName);
    EXPECT_FALSE(fs::exists(home + "/setup.ini")) << "reading must not create the file";
}

TEST_F(SetupSettingsTest, EmptyTickerNameCountsAsAbsent) {
    WriteIni("[DATA_DIRECTORY]\nTickerName=\nTickerMarket=NYSE\n");
    CIniReader ini(SetupPath());
    LastChartSettings last = LastChartSettings::Read(ini);
    EXPECT_EQ(last.tickerName, "NoName");
    EXPECT_EQ(last.tickerMarket, "NYSE");
}

TEST_F(SetupSettingsTest, AxisSettingsFillAFreshFileWithDefaults) {
    CIniReader ini(SetupPath());
    AxisSettings axis = AxisSettings::ReadAndWriteBack(ini);
    EXPECT_EQ(axis.cellMaxX, 80);
    EXPECT_EQ(axis.cellMaxY, 80);
    EXPECT_EQ(axis.axisFont.lfHeight, 15);
    EXPECT_STREQ(axis.labelFont.lfFaceName, "Arial");

    CIniReader again(SetupPath());
    EXPECT_EQ(again.getKeyValue("BorderColor", "AXIS_SETTING"), "0");
    EXPECT_EQ(again.getKeyValue("DrawYGrid", "AXIS_SETTING"), "0");
    EXPECT_EQ(again.getKeyValue("CellMaxX", "AXIS_SETTING"), "80");
    EXPECT_EQ(again.getKeyValue("CellMaxY", "AXIS_SETTING"), "80");
    for (const char* section : {"AXIS_FONT", "LABEL_FONT"}) {
        EXPECT_EQ(again.getKeyValue("FontHeight", section), "15");
        EXPECT_EQ(again.getKeyValue("FontWidth", section), "6");
        EXPECT_EQ(again.getKeyValue("FontWeight", section), "400");
        EXPECT_EQ(again.getKeyValue("FontItalic", section), "0");
        EXPECT_EQ(again.getKeyValue("FontFaceName", section), "Arial");
    }
}

TEST_F(SetupSettingsTest, StoredZeroCellSizeReadsAndWritesBackAsEighty) {
    WriteIni("[AXIS_SETTING]\nCellMaxX=0\nCellMaxY=120\nBorderColor=255\nDrawYGrid=1\n");
    CIniReader ini(SetupPath());
    AxisSettings axis = AxisSettings::ReadAndWriteBack(ini);
    EXPECT_EQ(axis.cellMaxX, 80);
    EXPECT_EQ(axis.cellMaxY, 120);
    EXPECT_EQ(axis.borderColor, 255);
    EXPECT_TRUE(axis.drawYGrid);
    EXPECT_EQ(CIniReader(SetupPath()).getKeyValue("CellMaxX", "AXIS_SETTING"), "80");
    EXPECT_EQ(CIniReader(SetupPath()).getKeyValue("CellMaxY", "AXIS_SETTING"), "120");
}

TEST_F(SetupSettingsTest, WrittenRecordsReadBack) {
    CIniReader ini(SetupPath());
    ToolbarSettings bars;
    bars.trendLine = true;
    bars.channel = true;
    ASSERT_TRUE(bars.Write(ini));
    ProxySettings proxy{true, "proxy.example", "3128"};
    ASSERT_TRUE(proxy.Write(ini));
    NameBarSettings names{3, true};
    ASSERT_TRUE(names.Write(ini));
    LastChartSettings last{"ABC", "NYSE"};
    ASSERT_TRUE(last.Write(ini));

    CIniReader again(SetupPath());
    ToolbarSettings readBars = ToolbarSettings::Read(again);
    EXPECT_FALSE(readBars.chartCtrl);
    EXPECT_TRUE(readBars.trendLine);
    EXPECT_TRUE(readBars.channel);
    ProxySettings readProxy = ProxySettings::Read(again);
    EXPECT_TRUE(readProxy.useProxy);
    EXPECT_EQ(readProxy.proxyAdd, "proxy.example");
    EXPECT_EQ(readProxy.proxyPort, "3128");
    EXPECT_EQ(NameBarSettings::Read(again).marIndex, 3);
    EXPECT_EQ(LastChartSettings::Read(again).tickerName, "ABC");
}

TEST_F(SetupSettingsTest, ConnectCheckIsOnOnlyWhenStoredAsOne) {
    struct Case {
        const char* stored;
        bool on;
    };
    const Case cases[] = {{"1", true}, {"0", false}, {"", false}, {"2", false}, {"yes", false}};
    for (const Case& c : cases) {
        WriteIni(std::string("[ENVIORMENT]\nConnectCheckOn=") + c.stored + "\n");
        CIniReader ini(SetupPath());
        EXPECT_EQ(EnvironmentSettings::Read(ini).connectCheckOn, c.on) << "stored " << c.stored;
    }
}

TEST_F(SetupSettingsTest, DocumentOptionsWriteLeavesConnectCheckAlone) {
    WriteIni("[ENVIORMENT]\nConnectCheckOn=1\n");
    CIniReader ini(SetupPath());
    EnvironmentSettings options;
    options.curveFloating = true;
    ASSERT_TRUE(options.Write(ini));
    CIniReader again(SetupPath());
    EnvironmentSettings read = EnvironmentSettings::Read(again);
    EXPECT_TRUE(read.curveFloating);
    EXPECT_TRUE(read.connectCheckOn);
}

TEST_F(SetupSettingsTest, WebAddressesDefaultToEmptyAndComeFromDownloadSection) {
    struct Case {
        const char* key;
        std::string SDownloadSettings::*field;
        const char* stored;
    };
    const Case cases[] = {
        {"HomePage", &SDownloadSettings::homePage, "https://home.example/"},
        {"Forum", &SDownloadSettings::forum, "https://home.example/forum"},
        {"RealTime", &SDownloadSettings::realTime, "https://quotes.example/chart?s=%s"},
        {"ConnectCheck", &SDownloadSettings::connectCheck, "http://check.example/"},
    };
    CIniReader fresh(SetupPath());
    const SDownloadSettings defaults = SDownloadSettings::Read(fresh);
    for (const Case& c : cases) EXPECT_EQ(defaults.*c.field, "") << c.key;

    for (const Case& c : cases) {
        WriteIni(std::string("[DOWNLOAD]\n") + c.key + "=" + c.stored + "\n");
        CIniReader ini(SetupPath());
        const SDownloadSettings read = SDownloadSettings::Read(ini);
        for (const Case& other : cases)
            EXPECT_EQ(read.*other.field, &other == &c ? c.stored : "") << c.key << " " << other.key;
    }
}
