#include "DownloadTestSupport.h"
#include "download/CFavourites.h"

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
    EXPECT_TRUE(favourites.Load("Tech").empty());
    ASSERT_TRUE(favourites.Add("Tech", {"IBM", "IBM Corp", "NYSE"}));
    ASSERT_TRUE(favourites.Add("Tech", {"MSFT", "Microsoft", "NASDAQ"}));
    ASSERT_TRUE(favourites.Add("Tech", {"IBM", "IBM Corp", "NYSE"}));
    EXPECT_EQ(std::filesystem::file_size(folder + "Tech/list.dat"), 1024u);
    ASSERT_TRUE(favourites.Remove("Tech", "IBM", "NYSE"));
    EXPECT_EQ(favourites.Load("Tech"),
              (std::vector<CFavourites::SEntry>{{"MSFT", "Microsoft", "NASDAQ"}}));
    EXPECT_FALSE(favourites.Save("../x", {}));
    RemoveTree(folder.substr(0, folder.size() - 5));
}
