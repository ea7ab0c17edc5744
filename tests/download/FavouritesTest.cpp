#include "DownloadTestSupport.h"
#include "download/CFavourites.h"
#include <functional>

TEST(Favourites, RecordsHaveTheirFieldsAtFixedOffsets) {
    std::string bytes =
        CFavourites::Serialize({{"IBM", "International Business Machines", "NYSE"}});
    ASSERT_EQ(bytes.size(), 512u);
    std::string expected(512, '\0');
    expected.replace(0, 3, "IBM");
    expected.replace(16, 31, "International Business Machines");
    expected.replace(256, 4, "NYSE");
    EXPECT_EQ(bytes, expected);
    auto entries = CFavourites::Parse(bytes + std::string(100, 'z'));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (CFavourites::SEntry{"IBM", "International Business Machines", "NYSE"}));
    EXPECT_TRUE(CFavourites::Parse(std::string(511, 'a')).empty());
    auto cut = CFavourites::Parse(std::string(512, 'q'));
    EXPECT_EQ(cut[0].symbol, std::string(16, 'q'));
    EXPECT_EQ(cut[0].name, std::string(240, 'q'));
    EXPECT_EQ(cut[0].market, std::string(256, 'q'));
    auto longOnes = CFavourites::Parse(CFavourites::Serialize({{std::string(30, 's'), "", ""}}));
    EXPECT_EQ(longOnes[0].symbol, std::string(15, 's'));
}

TEST(Favourites, GroupsAreFoldersWithAListEach) {
    std::string folder = MakeTempFolder("fav") + "/fav/";
    CFavourites favourites(folder);
    EXPECT_TRUE(favourites.Groups().empty());
    ASSERT_TRUE(favourites.NewGroup("Tech"));
    ASSERT_TRUE(favourites.NewGroup("Banks"));
    EXPECT_FALSE(favourites.NewGroup("../evil"));
    EXPECT_FALSE(favourites.NewGroup("Tech"));
    EXPECT_EQ(favourites.Groups(), (std::vector<std::string>{"Banks", "Tech"}));
    std::vector<CFavourites::SEntry> entries = {{"stale", "", ""}};
    EXPECT_EQ(favourites.Load("Tech", entries).kind(), CFileResult::EKind::CannotOpen);
    EXPECT_TRUE(entries.empty());
    ASSERT_TRUE(favourites.Add("Tech", {"IBM", "IBM Corp", "NYSE"}));
    ASSERT_TRUE(favourites.Add("Tech", {"MSFT", "Microsoft", "NASDAQ"}));
    ASSERT_TRUE(favourites.Add("Tech", {"IBM", "IBM Corp", "NYSE"}));
    EXPECT_EQ(std::filesystem::file_size(folder + "Tech/list.dat"), 1024u);
    ASSERT_TRUE(favourites.Remove("Tech", "IBM", "NYSE"));
    ASSERT_TRUE(favourites.Load("Tech", entries));
    EXPECT_EQ(entries, (std::vector<CFavourites::SEntry>{{"MSFT", "Microsoft", "NASDAQ"}}));
    EXPECT_FALSE(favourites.Save("../x", {}));
    RemoveTree(folder.substr(0, folder.size() - 5));
}

struct SGroupCase {
    const char* what;
    std::function<CFileResult(const CFavourites&)> call;
    CFileResult::EKind kind;
    std::string message; // empty: only the kind is certain (the system's error text follows)
};

TEST(Favourites, EveryCallReportsItsKindAndReason) {
    const std::string base = MakeTempFolder("favkinds");
    const std::string folder = base + "/fav/";
    CFavourites favourites(folder);
    ASSERT_TRUE(favourites.NewGroup("Tech"));
    const std::string unsafe = "the group name \"../x\" cannot be used as a folder name";
    const CFavourites::SEntry ibm{"IBM", "IBM Corp", "NYSE"};
    std::vector<CFavourites::SEntry> entries;
    const std::vector<SGroupCase> cases = {
        {"new group", [](const CFavourites& f) { return f.NewGroup("Banks"); },
         CFileResult::EKind::Ok, ""},
        {"group twice", [](const CFavourites& f) { return f.NewGroup("Tech"); },
         CFileResult::EKind::CannotWrite,
         "cannot create the folder " + folder + "Tech: File exists"},
        {"unsafe new group", [](const CFavourites& f) { return f.NewGroup("../x"); },
         CFileResult::EKind::UnsafeName, unsafe},
        {"unsafe load", [&](const CFavourites& f) { return f.Load("../x", entries); },
         CFileResult::EKind::UnsafeName, unsafe},
        {"unsafe add", [&](const CFavourites& f) { return f.Add("../x", ibm); },
         CFileResult::EKind::UnsafeName, unsafe},
        {"list missing", [&](const CFavourites& f) { return f.Load("Banks", entries); },
         CFileResult::EKind::CannotOpen,
         "cannot open " + folder + "Banks/list.dat: No such file or directory"},
        {"add to a new group", [&](const CFavourites& f) { return f.Add("Banks", ibm); },
         CFileResult::EKind::Ok, ""},
        {"group folder missing", [&](const CFavourites& f) { return f.Add("Gone", ibm); },
         CFileResult::EKind::CannotWrite,
         "cannot create a file in " + folder + "Gone: No such file or directory"},
    };
    for (const SGroupCase& c : cases) {
        const CFileResult result = c.call(favourites);
        EXPECT_EQ(result.kind(), c.kind) << c.what;
        EXPECT_EQ(result.message(), c.message) << c.what;
    }
    ASSERT_TRUE(favourites.Load("Banks", entries));
    EXPECT_EQ(entries, std::vector<CFavourites::SEntry>{ibm});
    RemoveTree(base);
}
