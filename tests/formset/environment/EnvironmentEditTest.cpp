#include "IniKeys.h"
#include "TestFiles.h"
#include "formset/environment/CEnvironmentEdit.h"
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using ini_keys::Keys;

namespace {
using E = CEnvironmentEdit;

const char* const kSetup = "[ENVIORMENT]\n"
                           "Lng=English.lng\n"
                           "CurveFloating=0\n"
                           "[PROXY]\n"
                           "UseProxy=0\n"
                           "ProxyAdd=proxy.local\n"
                           "ProxyPort=8080\n"
                           "[STOCKLINE_SETUP]\n"
                           "DisPeriod=400\n"
                           "DisDayNum=60\n"
                           "[DATA_DIRECTORY]\n"
                           "TickerName=IBM\n";

class EnvironmentEditTest : public ::testing::Test {
protected:
    void SetUp() override { WriteText(ini.getINIFileName(), kSetup); }
    E Read() { return E::Read(paths, ini); }

    TempDir home;
    CInstallPaths paths{home.Path() + "/"};
    CIniReader ini{paths.SetupIni()};
};

TEST_F(EnvironmentEditTest, ReadsTheStoredOptionsWithTheirDefaults) {
    struct Case {
        const char* name;
        const char* text;
        SEnvironmentOptions expected;
    };
    const Case cases[] = {
        {"the sample", kSetup, {false, "proxy.local", "8080", 400, 60, false, false, ""}},
        {"nothing stored", "", {false, "", "", 400, 50, false, false, ""}},
        {"empty values",
         "[PROXY]\nUseProxy=\nProxyAdd=\nProxyPort=\n[STOCKLINE_SETUP]\nDisPeriod=\nDisDayNum=\n",
         {false, "", "", 400, 50, false, false, ""}},
        {"negative numbers",
         "[STOCKLINE_SETUP]\nDisPeriod=-3\nDisDayNum=-1\n",
         {false, "", "", 400, 50, false, false, ""}},
        {"everything set",
         "[PROXY]\nUseProxy=1\nProxyAdd=10.0.0.1\nProxyPort=3128\n[STOCKLINE_SETUP]\n"
         "DisPeriod=5000\nDisDayNum=120\n[ENVIORMENT]\nCurveFloating=1\nYAxisOffset=1\n"
         "[DATA_DIRECTORY]\nDataDirectory=/srv/quotes\n",
         {true, "10.0.0.1", "3128", 5000, 120, true, true, "/srv/quotes"}},
        {"the downloader's folder key",
         "[ENVIORMENT]\nDATA_DIRECTORY=quotes\n",
         {false, "", "", 400, 50, false, false, "quotes"}},
    };
    for (const Case& c : cases) {
        WriteText(ini.getINIFileName(), c.text);
        const E edit = Read();
        EXPECT_EQ(edit.Options(), c.expected) << c.name;
        EXPECT_EQ(edit.Stored(), c.expected) << c.name;
        EXPECT_FALSE(edit.Changed()) << c.name;
    }
}

// Each field on its own is driven through the dialog (EnvironmentFormsetTest).
TEST_F(EnvironmentEditTest, WriteStoresExactlyTheKeysThatChanged) {
    struct Case {
        const char* name;
        std::function<void(SEnvironmentOptions&)> change;
        Keys written;
    };
    const Case cases[] = {
        {"nothing", [](SEnvironmentOptions&) {}, {}},
        {"port emptied",
         [](SEnvironmentOptions& o) { o.proxyPort = ""; },
         {{"PROXY/ProxyPort", ""}}},
        {"two at once",
         [](SEnvironmentOptions& o) {
             o.useProxy = true;
             o.yAxisOffset = true;
         },
         {{"PROXY/UseProxy", "1"}, {"ENVIORMENT/YAxisOffset", "1"}}},
        {"changed and changed back",
         [](SEnvironmentOptions& o) {
             o.maximumQuotes = 900;
             o.maximumQuotes = 400;
         },
         {}},
    };
    for (const Case& c : cases) {
        WriteText(ini.getINIFileName(), kSetup);
        E edit = Read();
        c.change(edit.Options());
        EXPECT_EQ(edit.Changed(), !c.written.empty()) << c.name;
        EXPECT_FALSE(edit.Check()) << c.name;
        EXPECT_TRUE(edit.Write(ini)) << c.name;
        EXPECT_EQ(ini_keys::Changed(ini_keys::Parse(kSetup), ini_keys::Of(ini.getINIFileName())),
                  c.written)
            << c.name;
        if (c.written.empty()) {
            EXPECT_EQ(ReadText(ini.getINIFileName()), kSetup) << c.name;
        }
    }
}

// Another program rewrites every key between Read and Write: only the key of the field the
// user changed takes the dialog's value.
TEST_F(EnvironmentEditTest, KeysNotChangedKeepWhatAnotherWriterStoredMeanwhile) {
    const std::string quotes = home.Path() + "/quotes";
    const Keys meanwhile = {{"PROXY/UseProxy", "1"},
                            {"PROXY/ProxyAdd", "other.host"},
                            {"PROXY/ProxyPort", "9999"},
                            {"STOCKLINE_SETUP/DisPeriod", "900"},
                            {"STOCKLINE_SETUP/DisDayNum", "70"},
                            {"ENVIORMENT/CurveFloating", "1"},
                            {"ENVIORMENT/YAxisOffset", "1"},
                            {"DATA_DIRECTORY/DataDirectory", "/elsewhere"},
                            {"ENVIORMENT/DATA_DIRECTORY", "/elsewhere"}};
    struct Case {
        std::function<void(SEnvironmentOptions&)> change;
        Keys mine;
    };
    const Case cases[] = {
        {[](SEnvironmentOptions& o) { o.useProxy = true; }, {{"PROXY/UseProxy", "1"}}},
        {[](SEnvironmentOptions& o) { o.proxyAdd = "mine"; }, {{"PROXY/ProxyAdd", "mine"}}},
        {[](SEnvironmentOptions& o) { o.proxyPort = "81"; }, {{"PROXY/ProxyPort", "81"}}},
        {[](SEnvironmentOptions& o) { o.maximumQuotes = 55; },
         {{"STOCKLINE_SETUP/DisPeriod", "55"}}},
        {[](SEnvironmentOptions& o) { o.barsInWindow = 5; }, {{"STOCKLINE_SETUP/DisDayNum", "5"}}},
        {[](SEnvironmentOptions& o) { o.curveFloating = true; },
         {{"ENVIORMENT/CurveFloating", "1"}}},
        {[](SEnvironmentOptions& o) { o.yAxisOffset = true; }, {{"ENVIORMENT/YAxisOffset", "1"}}},
        {[&](SEnvironmentOptions& o) { o.dataFolder = quotes; },
         {{"DATA_DIRECTORY/DataDirectory", quotes}, {"ENVIORMENT/DATA_DIRECTORY", quotes}}},
    };
    for (const Case& c : cases) {
        WriteText(ini.getINIFileName(), kSetup);
        E edit = Read();
        CIniReader other(ini.getINIFileName());
        for (const auto& [name, value] : meanwhile) {
            const size_t slash = name.find('/');
            other.setKey(value, name.substr(slash + 1), name.substr(0, slash));
        }
        c.change(edit.Options());
        ASSERT_TRUE(edit.Write(ini));
        Keys expected = meanwhile;
        for (const auto& [name, value] : c.mine) expected[name] = value;
        Keys now = ini_keys::Of(ini.getINIFileName());
        for (const auto& [name, value] : expected)
            EXPECT_EQ(now[name], value) << c.mine.begin()->first << " " << name;
    }
}

// The refusals typed into the dialog are in EnvironmentFormsetTest; these are the others.
TEST_F(EnvironmentEditTest, ChecksRefuseBadFieldsNamingThem) {
    struct Case {
        const char* name;
        std::function<void(SEnvironmentOptions&)> change;
        unsigned field;
        std::string message;
    };
    const std::string range = ": please enter a whole number from ";
    const Case cases[] = {
        {"proxy on without address",
         [](SEnvironmentOptions& o) {
             o.useProxy = true;
             o.proxyAdd = "";
         },
         E::kProxyAddField, "Address: please enter the name or address of the proxy server."},
        {"address with a tab", [](SEnvironmentOptions& o) { o.proxyAdd = "proxy\tlocal"; },
         E::kProxyAddField, "Address: a name or address holds no blanks."},
        {"address of 254 characters",
         [](SEnvironmentOptions& o) { o.proxyAdd = std::string(254, 'a'); }, E::kProxyAddField,
         "Address: a name or address has at most 253 characters."},
        {"proxy on without port",
         [](SEnvironmentOptions& o) {
             o.useProxy = true;
             o.proxyPort = "";
         },
         E::kProxyPortField, "Port: please enter the port of the proxy server."},
        {"port no number", [](SEnvironmentOptions& o) { o.proxyPort = "80a"; }, E::kProxyPortField,
         "Port" + range + "1 to 65535."},
    };
    for (const Case& c : cases) {
        E edit = Read();
        c.change(edit.Options());
        const std::optional<SFieldError> error = edit.Check();
        ASSERT_TRUE(error) << c.name;
        EXPECT_EQ(error->controlId, c.field) << c.name;
        EXPECT_EQ(error->message, c.message) << c.name;
    }
    // The bounds themselves are taken.
    E edges = Read();
    edges.Options() = {true, std::string(253, 'h'), "65535", 1000000, 1000001, true, true, ""};
    EXPECT_FALSE(edges.Check());
    edges.Options() = {true, "h", "1", 50, 1, false, false, home.Path() + "/new/quotes"};
    EXPECT_FALSE(edges.Check());
    EXPECT_TRUE(fs::is_directory(home.Path() + "/new/quotes"));
}

TEST_F(EnvironmentEditTest, AnUnchangedFolderIsNotTriedAgain) {
    const std::string file = home.File("plain-file");
    WriteText(file, "x");
    ini.setKey(file + "/Data", "DataDirectory", "DATA_DIRECTORY");
    E edit = Read();
    edit.Options().curveFloating = true;
    EXPECT_FALSE(edit.Check());
    edit.Options().dataFolder += "/";
    EXPECT_TRUE(edit.Check());
    EXPECT_EQ(edit.DataFolderPath(), file + "/Data/");
}

TEST_F(EnvironmentEditTest, TheFolderPathIsTakenFromTheProgramFolder) {
    struct Case {
        const char* stored;
        std::string path;
    };
    const Case cases[] = {{"", paths.ProgramFolder() + "Data/"},
                          {"quotes", paths.ProgramFolder() + "quotes/"},
                          {"/srv/quotes", "/srv/quotes/"},
                          {"/srv/quotes/", "/srv/quotes/"}};
    for (const Case& c : cases) {
        E edit = Read();
        edit.Options().dataFolder = c.stored;
        EXPECT_EQ(edit.DataFolderPath(), c.path) << c.stored;
    }
}

TEST_F(EnvironmentEditTest, ReadNumbersTakesTheBarsAgainstTheNewMaximum) {
    struct Case {
        const char* quotes;
        const char* bars;
        std::optional<unsigned> refused;
        int maximum;
        int barsTaken;
    };
    const Case cases[] = {
        {"60", "61", std::nullopt, 60, 61},
        {" 1000 ", "1001", std::nullopt, 1000, 1001},
        {"60", "62", E::kBarsInWindowField, 400, 60},
        {"4oo", "61", E::kMaximumQuotesField, 400, 60},
        {"", "61", E::kMaximumQuotesField, 400, 60},
        {"400", "", E::kBarsInWindowField, 400, 60},
    };
    for (const Case& c : cases) {
        E edit = Read();
        const std::optional<SFieldError> error = edit.ReadNumbers(c.quotes, c.bars);
        EXPECT_EQ(error ? std::optional(error->controlId) : std::nullopt, c.refused) << c.quotes;
        EXPECT_EQ(edit.Options().maximumQuotes, c.maximum) << c.quotes;
        EXPECT_EQ(edit.Options().barsInWindow, c.barsTaken) << c.quotes;
    }
    // A number read but refused by a later field leaves both numbers as they were.
    E edit = Read();
    edit.Options().proxyPort = "0";
    EXPECT_TRUE(edit.ReadNumbers("500", "70"));
    EXPECT_EQ(edit.Options().maximumQuotes, 400);
    EXPECT_EQ(edit.Options().barsInWindow, 60);
}

TEST_F(EnvironmentEditTest, AFailedWriteIsReported) {
    CIniReader missing(home.Path() + "/no/such/folder/setup.ini");
    E edit = Read();
    edit.Options().curveFloating = true;
    EXPECT_FALSE(edit.Write(missing));
    EXPECT_FALSE(fs::exists(home.Path() + "/no"));
}

} // namespace
