#include "app/CRecentFileList.h"
#include <gtest/gtest.h>
#include <map>

namespace {
using Store = std::map<std::string, std::string>;

CRecentFileList Loaded(const Store& store) {
    CRecentFileList list;
    list.Load([&](const std::string& key) {
        auto it = store.find(key);
        return it == store.end() ? std::string() : it->second;
    });
    return list;
}
} // namespace

TEST(RecentFileList, AddPutsNewestFirstMovesRepeatsAndKeepsFour) {
    CRecentFileList list;
    for (const char* path : {"a.cht", "b.cht", "c.cht", "a.cht", "d.cht", "e.cht"}) list.Add(path);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"e.cht", "d.cht", "a.cht", "c.cht"}));
    list.Remove("a.cht");
    list.Remove("missing.cht");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"e.cht", "d.cht", "c.cht"}));
}

TEST(RecentFileList, SavesFourKeysAndLoadsSkippingEmptyAndRepeatedEntries) {
    CRecentFileList list;
    list.Add("/x/one.cht");
    list.Add("/x/two.cht");
    Store store;
    list.Save([&](const std::string& key, const std::string& value) { store[key] = value; });
    EXPECT_EQ(store, (Store{{"File1", "/x/two.cht"}, {"File2", "/x/one.cht"}, {"File3", ""},
                            {"File4", ""}}));

    Store odd{{"File1", ""}, {"File2", "p.cht"}, {"File3", "p.cht"}, {"File4", "q.cht"}};
    EXPECT_EQ(Loaded(odd).Entries(), (std::vector<std::string>{"p.cht", "q.cht"}));
}

TEST(RecentFileList, MenuTextNumbersEntriesAndDoublesAmpersands) {
    CRecentFileList list;
    list.Add("/home/r&d/a.cht");
    list.Add("/b.cht");
    EXPECT_EQ(list.MenuText(0), "&1 /b.cht");
    EXPECT_EQ(list.MenuText(1), "&2 /home/r&&d/a.cht");
    EXPECT_EQ(list.MenuText(2), "");
}
