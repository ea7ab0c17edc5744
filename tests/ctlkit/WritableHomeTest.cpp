#include "TestFiles.h"
#include "ctlkit/base/WritableHome.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
// An installation: settings, a quote file, a language file and a program.
class WritableHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        sample = dir.Path() + "/usr/zentristock/";
        fs::create_directories(sample + "Data/NYSE");
        fs::create_directories(sample + "Lng");
        WriteText(sample + "setup.ini", "[ENVIORMENT]\nLng=\n");
        WriteText(sample + "Data/NYSE/IBM.csv", "Date,Open,High,Low,Close,Volume,Adj. Close*\n");
        WriteText(sample + "Lng/German.lng", "[LANGUAGE]\n");
        WriteText(sample + "quotefetch", "\x7f" "ELF");
        ::chmod((sample + "quotefetch").c_str(), 0755);
    }

    // Every file below `folder`, relative to it, sorted.
    static std::vector<std::string> Files(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                names.push_back(entry.path().lexically_relative(folder).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::string> Entries(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    std::string sample;
    const std::vector<std::string> filled = {".zentristock-home", "Data/NYSE/IBM.csv",
                                             "Lng/German.lng", "setup.ini"};
};
} // namespace

TEST_F(WritableHomeTest, FolderIsChosenByTheEnvironmentAndWhetherTheInstallationIsWritable) {
    const std::string root = dir.Path() + "/";
    WriteText(root + "file", "a regular file: nothing lies under it, not even for root");
    struct Case {
        const char* what;
        SHomeEnvironment environment;
        bool installedWritable;
        std::string folder;
        std::string problem;
        bool fills;
    } cases[] = {
        {"ZENTRISTOCK_HOME wins", {root + "mine", root + "xdg", root + "h"}, false,
         root + "mine/", "", false},
        {"a writable installation is the home", {"", root + "xdg", root + "h"}, true, sample, "",
         false},
        {"XDG_DATA_HOME", {"", root + "xdg/", root + "h"}, false, root + "xdg/zentristock/", "",
         true},
        {"a relative XDG_DATA_HOME is ignored", {"", "xdg", root + "h"}, false,
         root + "h/.local/share/zentristock/", "", true},
        {"no XDG_DATA_HOME", {"", "", root + "h2"}, false,
         root + "h2/.local/share/zentristock/", "", true},
        {"no home known", {"", "", "relative"}, false, sample,
         "The installation's folder " + sample +
             " cannot be written to, and neither XDG_DATA_HOME nor HOME names a folder for a "
             "home of your own. It is used as it is: what is changed cannot be saved.",
         false},
        {"a home that cannot be made", {"", root + "file/xdg", ""}, false, sample,
         "The home folder " + root + "file/xdg/zentristock/ cannot be made (cannot make " + root +
             "file/xdg: Not a directory). The installation's folder " + sample +
             " is used as it is: what is changed cannot be saved.",
         false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked;
        const SHomeChoice choice =
            ChooseProgramFolder(sample, c.environment, [&](const std::string& folder) {
                asked.push_back(folder);
                return c.installedWritable;
            });
        EXPECT_EQ(choice.folder, c.folder) << c.what;
        EXPECT_EQ(choice.problem, c.problem) << c.what;
        EXPECT_EQ(asked.size(), c.environment.zentristockHome.empty() ? 1u : 0u) << c.what;
        if (c.fills) {
            EXPECT_EQ(Files(c.folder), filled) << c.what;
        }
    }
}

TEST_F(WritableHomeTest, OnlyAFileMadeThereShowsAFolderWritable) {
    WriteText(dir.File("file"), "x");
    EXPECT_TRUE(IsWritableFolder(dir.Path()));
    EXPECT_FALSE(IsWritableFolder(dir.File("file") + "/install/"));
    EXPECT_FALSE(IsWritableFolder(dir.File("missing")));
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"file", "usr"})) << "no probe left";
}

TEST_F(WritableHomeTest, SecondStartKeepsWhatTheUserChangedAndDeleted) {
    const std::string home = dir.Path() + "/share/zentristock/";
    ASSERT_EQ(FillHome(sample, home), "");
    EXPECT_EQ(Files(home), filled);
    EXPECT_EQ(ReadText(home + "setup.ini"), "[ENVIORMENT]\nLng=\n");
    EXPECT_EQ(Entries(dir.Path() + "/share"), std::vector<std::string>{"zentristock"})
        << "no temporary folder left";

    WriteText(home + "setup.ini", "[ENVIORMENT]\nLng=German.lng\n");
    fs::remove(home + "Lng/German.lng");
    ASSERT_EQ(FillHome(sample, home), "");
    EXPECT_EQ(ReadText(home + "setup.ini"), "[ENVIORMENT]\nLng=German.lng\n");
    EXPECT_FALSE(fs::exists(home + "Lng/German.lng"));
}

TEST_F(WritableHomeTest, StoppedFillIsCompletedWithoutOverwriting) {
    // A start killed half-way into the folder itself, and another one's temporary folder.
    const std::string home = dir.Path() + "/share/zentristock/";
    fs::create_directories(home + "Data");
    WriteText(home + "setup.ini", "mine");
    fs::create_directories(dir.Path() + "/share/zentristock.part-Ab12Cd/Lng");
    ASSERT_EQ(FillHome(sample, home), "");
    EXPECT_EQ(Files(home), filled);
    EXPECT_EQ(ReadText(home + "setup.ini"), "mine");
    EXPECT_EQ(ReadText(home + "Data/NYSE/IBM.csv"), ReadText(sample + "Data/NYSE/IBM.csv"));
}

TEST_F(WritableHomeTest, FallbackFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        SHomeEnvironment environment;
        const char* folder;
    } cases[] = {
        {{"", "/x/data", "/home/u"}, "/x/data/zentristock/"},
        {{"", "/x/data/", "/home/u"}, "/x/data/zentristock/"},
        {{"", "data", "/home/u/"}, "/home/u/.local/share/zentristock/"},
        {{"", "", "/home/u"}, "/home/u/.local/share/zentristock/"},
        {{"", "", ""}, ""},
        {{"", "", "u"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FallbackHomeFolder(c.environment), c.folder) << c.environment.xdgDataHome;
}
