#include "settings/DataFolder.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "settings/CModelContext.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zs-datafolder-XXXXXX";
        home = std::string(::mkdtemp(pattern)) + "/";
    }
    void TearDown() override { fs::remove_all(home); }
    void WriteIni(const std::string& text) { std::ofstream(home + "setup.ini") << text; }
    std::string ReadIni() const {
        std::ifstream in(home + "setup.ini");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> Entries(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::string home;
};
} // namespace

TEST_F(DataFolderTest, StoredFolderIsReadFromEitherKeyAndFormedFromTheProgramFolder) {
    struct Case {
        const char* what;
        std::string ini;
        std::string stored;
        std::string folder; // "~" stands for the program folder
    };
    const Case cases[] = {
        {"no setup.ini", "", "", "~Data/"},
        {"neither key", "[DATA_DIRECTORY]\nTickerName=IBM\n", "", "~Data/"},
        {"absolute", "[DATA_DIRECTORY]\nDataDirectory=/srv/quotes\n", "/srv/quotes",
         "/srv/quotes/"},
        {"absolute with slash", "[DATA_DIRECTORY]\nDataDirectory=/srv/quotes/\n", "/srv/quotes/",
         "/srv/quotes/"},
        {"relative", "[DATA_DIRECTORY]\nDataDirectory=quotes\n", "quotes", "~quotes/"},
        {"relative with slash", "[DATA_DIRECTORY]\nDataDirectory=my quotes/eod/\n",
         "my quotes/eod/", "~my quotes/eod/"},
        {"relative upwards", "[DATA_DIRECTORY]\nDataDirectory=../shared\n", "../shared",
         "~../shared/"},
        {"downloader key only", "[ENVIORMENT]\nDATA_DIRECTORY=/mnt/eod\n", "/mnt/eod", "/mnt/eod/"},
        {"downloader key only, relative", "[ENVIORMENT]\nDATA_DIRECTORY=eod\n", "eod", "~eod/"},
        {"document key empty",
         "[DATA_DIRECTORY]\nDataDirectory=\n[ENVIORMENT]\nDATA_DIRECTORY=/mnt/eod\n", "/mnt/eod",
         "/mnt/eod/"},
        {"both keys",
         "[ENVIORMENT]\nDATA_DIRECTORY=/mnt/eod\n[DATA_DIRECTORY]\nDataDirectory=/srv/q\n",
         "/srv/q", "/srv/q/"},
        {"names in other letter case", "[data_directory]\ndatadirectory=/srv/q\n", "/srv/q",
         "/srv/q/"},
    };
    const CInstallPaths paths(home);
    CRecordingPrompter prompter;
    for (const Case& c : cases) {
        fs::remove(home + "setup.ini");
        if (!c.ini.empty()) WriteIni(c.ini);
        std::string folder = c.folder;
        if (folder.front() == '~') folder = home + folder.substr(1);
        CIniReader ini(paths.SetupIni());
        EXPECT_EQ(StoredDataFolder(ini), c.stored) << c.what;
        EXPECT_EQ(DataFolderOf(paths, ini), folder) << c.what;
        EXPECT_EQ(DataFolderFrom(paths, c.stored), folder) << c.what;
        CModelContext context(paths, prompter);
        EXPECT_EQ(context.DataFolder(), folder) << c.what;
    }
    EXPECT_FALSE(fs::exists(home + "Data")) << "reading makes no folder";
}

TEST_F(DataFolderTest, AChangeOfTheFileAppliesToTheNextReadingOfTheSameReader) {
    const CInstallPaths paths(home);
    CRecordingPrompter prompter;
    CModelContext context(paths, prompter);
    EXPECT_EQ(context.DataFolder(), home + "Data/");
    // Another program (the downloader) writes the file meanwhile.
    WriteIni("[ENVIORMENT]\nDATA_DIRECTORY=/first\n");
    EXPECT_EQ(context.DataFolder(), "/first/");
    ASSERT_TRUE(WriteDataFolder(context.Settings(), "second"));
    EXPECT_EQ(context.DataFolder(), home + "second/");
    ASSERT_TRUE(WriteDataFolder(context.Settings(), ""));
    EXPECT_EQ(context.DataFolder(), home + "Data/");
}

TEST_F(DataFolderTest, WritingStoresBothKeysAndKeepsEveryOtherLine) {
    struct Case {
        const char* what;
        std::string before;
        std::string folder;
        std::string after;
    };
    const Case cases[] = {
        {"fresh file", "", "/srv/quotes",
         "[DATA_DIRECTORY]\nDataDirectory=/srv/quotes\n[ENVIORMENT]\nDATA_DIRECTORY=/srv/quotes\n"},
        {"both keys replaced, the rest kept",
         "; comment\n[ENVIORMENT]\nLng=de.lng\nDATA_DIRECTORY=/old\nOtherMarket=ASX\n"
         "[DATA_DIRECTORY]\nTickerName=IBM\nDataDirectory=/old\nTickerMarket=NYSE\n"
         "[PROXY]\nUseProxy=1\n",
         "quotes",
         "; comment\n[ENVIORMENT]\nLng=de.lng\nDATA_DIRECTORY=quotes\nOtherMarket=ASX\n"
         "[DATA_DIRECTORY]\nTickerName=IBM\nDataDirectory=quotes\nTickerMarket=NYSE\n"
         "[PROXY]\nUseProxy=1\n"},
        {"keys added to existing sections",
         "[DATA_DIRECTORY]\nTickerName=IBM\n[ENVIORMENT]\nLng=de.lng\n", "/q/",
         "[DATA_DIRECTORY]\nTickerName=IBM\nDataDirectory=/q/\n[ENVIORMENT]\nLng=de.lng\n"
         "DATA_DIRECTORY=/q/\n"},
        {"back to the default",
         "[DATA_DIRECTORY]\nDataDirectory=/old\n[ENVIORMENT]\nDATA_DIRECTORY=/old\n", "",
         "[DATA_DIRECTORY]\nDataDirectory=\n[ENVIORMENT]\nDATA_DIRECTORY=\n"},
    };
    const CInstallPaths paths(home);
    for (const Case& c : cases) {
        fs::remove(home + "setup.ini");
        if (!c.before.empty()) WriteIni(c.before);
        CIniReader ini(paths.SetupIni());
        EXPECT_TRUE(WriteDataFolder(ini, c.folder)) << c.what;
        EXPECT_EQ(ReadIni(), c.after) << c.what;
        EXPECT_EQ(StoredDataFolder(ini), c.folder) << c.what;
    }
}

TEST_F(DataFolderTest, WritingIntoAMissingFolderFails) {
    CIniReader ini(home + "no-such-folder/setup.ini");
    EXPECT_FALSE(WriteDataFolder(ini, "/srv/quotes"));
    EXPECT_FALSE(fs::exists(home + "no-such-folder"));
}

TEST_F(DataFolderTest, AFolderIsAcceptedOnlyWhenAFileCanBeMadeAndRemovedThere) {
    std::ofstream(home + "plain") << "a regular file";
    fs::create_directories(home + "kept");
    std::ofstream(home + "kept/.zentristock-write-test") << "the user's own";
    struct Case {
        const char* what;
        std::string folder;
        std::string problem;
    };
    const Case cases[] = {
        {"new nested folder", home + "new/a/b", ""},
        {"new nested folder with slash", home + "new/c/", ""},
        {"existing folder", home, ""},
        {"folder holding a file of the probe's name", home + "kept", ""},
        {"typed relative folder, as it will be read", DataFolderFrom(CInstallPaths(home), "typed"),
         ""},
        {"parent is a regular file", home + "plain/sub",
         "The folder " + home + "plain/sub does not exist and cannot be made."},
        {"the folder is a regular file", home + "plain",
         "The folder " + home + "plain does not exist and cannot be made."},
        {"a file system that takes no files", "/proc/self",
         "The folder /proc/self cannot be written to."},
        {"nothing named", "", "No folder is named."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DataFolderProblem(c.folder), c.problem) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(home + "new/a/b"));
    EXPECT_TRUE(fs::is_directory(home + "new/c"));
    EXPECT_TRUE(fs::is_directory(home + "typed"));
    EXPECT_TRUE(Entries(home + "new/a/b").empty()) << "the probe file is removed";
    EXPECT_EQ(Entries(home + "kept"), std::vector<std::string>{".zentristock-write-test"});
    std::ifstream kept(home + "kept/.zentristock-write-test");
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "the user's own");
    EXPECT_EQ(Entries(home).size(), 4u) << "plain, kept, new, typed: nothing else is left";
}
