#include "FavouritesFixture.h"
#include "formset/favourites/CFavouritesEdit.h"
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
using SEntry = CFavourites::SEntry;
using Files = std::map<std::string, std::string>;

std::vector<std::string> Names(const CFavouritesEdit& edit) {
    std::vector<std::string> names;
    for (const auto& group : edit.Groups()) names.push_back(group.name);
    return names;
}

TEST(FavouritesEdit, LoadsEveryGroupWithItsEntriesInNameOrder) {
    FavouritesFolder fav;
    fav.Group("Tech", {{"IBM", "IBM Corp", "NYSE"}, {"MSFT", "Microsoft", "NASDAQ"}});
    fav.Group("Banks", {});
    std::filesystem::create_directories(fav.Path() + "Empty"); // no list at all
    const CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    EXPECT_EQ(Names(edit), (std::vector<std::string>{"Banks", "Empty", "Tech"}));
    EXPECT_EQ(edit.Groups()[2].entries,
              (std::vector<SEntry>{{"IBM", "IBM Corp", "NYSE"}, {"MSFT", "Microsoft", "NASDAQ"}}));
    EXPECT_TRUE(edit.Groups()[1].entries.empty());
    EXPECT_FALSE(edit.Changed());
}

struct SNameCase {
    const char* what;
    std::string name;
    std::string message; // empty: taken
};

TEST(FavouritesEdit, RefusesNamesThatCannotNameAGroup) {
    FavouritesFolder fav;
    fav.Group("tech", {});
    fav.Group("Banks", {});
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    const std::string unsafe =
        "Group name: a name cannot hold \"/\", \"\\\", \"..\" or control characters.";
    const std::vector<SNameCase> cases = {
        {"empty", "", "Group name: please enter a name."},
        {"a parent folder", "../x", unsafe},
        {"a path", "a/b", unsafe},
        {"a backslash", "a\\b", unsafe},
        {"two dots inside", "a..b", unsafe},
        {"a control character", "a\tb", unsafe},
        {"a NUL", std::string("a\0b", 3), unsafe},
        {"65 characters", std::string(65, 'x'), "Group name: a name has at most 64 characters."},
        {"another group in other letters", "Tech",
         "Group name: there is a group named \"tech\" already."},
        {"another group exactly", "Banks", "Group name: there is a group named \"Banks\" already."},
        {"64 characters", std::string(64, 'x'), ""},
        {"64 characters of two bytes each",
         [] {
             std::string s;
             for (int i = 0; i < 64; ++i) s += "\xC3\xA9";
             return s;
         }(),
         ""},
        {"a plain new name", "Energy", ""},
    };
    for (const SNameCase& c : cases) {
        CFavouritesEdit copy = edit;
        const std::optional<SFieldError> made = copy.NewGroup(c.name);
        if (c.message.empty()) {
            EXPECT_FALSE(made) << c.what << ": " << made->message;
            EXPECT_EQ(copy.Groups().back().name, c.name) << c.what;
            continue;
        }
        ASSERT_TRUE(made) << c.what;
        EXPECT_EQ(made->message, c.message) << c.what;
        EXPECT_EQ(made->fieldName, "Group name") << c.what;
        EXPECT_EQ(made->controlId, CFavouritesEdit::kNameField) << c.what;
        EXPECT_EQ(copy, edit) << c.what; // refused: nothing changed
        // Renaming "Banks" to the name is refused alike, except for its own name.
        const std::optional<SFieldError> renamed = copy.Rename(0, c.name);
        if (c.name == "Banks") {
            EXPECT_FALSE(renamed) << c.what;
        } else {
            ASSERT_TRUE(renamed) << c.what;
            EXPECT_EQ(renamed->message, c.message) << c.what;
        }
    }
    // A group may take its own name in other letters.
    EXPECT_FALSE(edit.Rename(1, "TECH"));
    EXPECT_EQ(Names(edit), (std::vector<std::string>{"Banks", "TECH"}));
}

TEST(FavouritesEdit, EntryEditsMoveDeleteAndReorderInMemoryOnly) {
    FavouritesFolder fav;
    fav.Group("A", {{"A0", "", "X"}, {"A1", "", "X"}, {"A2", "", "X"}});
    fav.Group("B", {{"A1", "", "X"}});
    const Files before = fav.Files();
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    EXPECT_TRUE(edit.MoveEntryDown(0, 0)); // A1 A0 A2
    EXPECT_FALSE(edit.MoveEntryDown(0, 2));
    EXPECT_FALSE(edit.MoveEntryUp(0, 0));
    EXPECT_TRUE(edit.MoveEntryUp(0, 2));  // A1 A2 A0
    EXPECT_TRUE(edit.MoveEntry(0, 2, 1)); // A0 to B
    EXPECT_TRUE(edit.MoveEntry(0, 0, 1)); // A1 is in B already: not doubled
    EXPECT_FALSE(edit.MoveEntry(0, 0, 0));
    EXPECT_FALSE(edit.MoveEntry(0, 5, 1));
    EXPECT_FALSE(edit.MoveEntry(0, 0, 7));
    EXPECT_FALSE(edit.DeleteEntry(1, 2));
    EXPECT_EQ(edit.Groups()[0].entries, (std::vector<SEntry>{{"A2", "", "X"}}));
    EXPECT_EQ(edit.Groups()[1].entries, (std::vector<SEntry>{{"A1", "", "X"}, {"A0", "", "X"}}));
    EXPECT_TRUE(edit.DeleteEntry(1, 0));
    EXPECT_EQ(edit.Groups()[1].entries, (std::vector<SEntry>{{"A0", "", "X"}}));
    EXPECT_TRUE(edit.Changed());
    // Dropping the edit (Cancel) leaves every byte as it was.
    EXPECT_EQ(fav.Files(), before);
}

TEST(FavouritesEdit, ApplyWritesExactlyTheEditedGroups) {
    FavouritesFolder fav;
    fav.Group("Tech", {{"IBM", "IBM Corp", "NYSE"}, {"MSFT", "Microsoft", "NASDAQ"}});
    fav.Group("Banks", {{"JPM", "JPMorgan", "NYSE"}});
    fav.Group("Old", {{"GM", "General Motors", "NYSE"}});
    fav.Group("Same", {{"KO", "Coca-Cola", "NYSE"}});
    const std::string sameBytes = ReadText(fav.Path() + "Same/list.dat");
    const auto sameStamp = fav.Stamp("Same");
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path()); // Banks Old Same Tech
    ASSERT_FALSE(edit.Rename(3, "Computers"));
    ASSERT_FALSE(edit.NewGroup("Energy"));
    ASSERT_TRUE(edit.MoveEntry(3, 0, 4)); // IBM to Energy
    ASSERT_TRUE(edit.DeleteGroup(1));     // Old
    ASSERT_TRUE(edit.DeleteEntry(0, 0));  // JPM
    ASSERT_TRUE(edit.Apply());
    const Files expected = {
        {"Banks/", ""},
        {"Banks/list.dat", ""},
        {"Computers/", ""},
        {"Computers/list.dat", CFavourites::Serialize({{"MSFT", "Microsoft", "NASDAQ"}})},
        {"Energy/", ""},
        {"Energy/list.dat", CFavourites::Serialize({{"IBM", "IBM Corp", "NYSE"}})},
        {"Same/", ""},
        {"Same/list.dat", sameBytes},
    };
    EXPECT_EQ(fav.Files(), expected);
    EXPECT_EQ(fav.Stamp("Same"), sameStamp); // unchanged lists are not rewritten
    // The model now stands for the disk: nothing more to do; a fresh load has the same
    // groups (in name order, where the edit keeps the user's order).
    EXPECT_FALSE(edit.Changed());
    EXPECT_EQ(Names(CFavouritesEdit::Load(fav.Path())),
              (std::vector<std::string>{"Banks", "Computers", "Energy", "Same"}));
    EXPECT_EQ(Names(edit), (std::vector<std::string>{"Banks", "Same", "Computers", "Energy"}));
}

TEST(FavouritesEdit, ApplySwapsNamesAndReusesADeletedGroupsName) {
    FavouritesFolder fav;
    fav.Group("A", {{"a", "", ""}});
    fav.Group("B", {{"b", "", ""}});
    fav.Group("tech", {{"t", "", ""}});
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    ASSERT_FALSE(edit.Rename(0, "Swap"));
    ASSERT_FALSE(edit.Rename(1, "A"));
    ASSERT_FALSE(edit.Rename(0, "B"));
    ASSERT_TRUE(edit.DeleteGroup(2));
    ASSERT_FALSE(edit.NewGroup("Tech"));
    ASSERT_TRUE(edit.Apply());
    const Files expected = {
        {"A/", ""},    {"A/list.dat", CFavourites::Serialize({{"b", "", ""}})},
        {"B/", ""},    {"B/list.dat", CFavourites::Serialize({{"a", "", ""}})},
        {"Tech/", ""},
    };
    EXPECT_EQ(fav.Files(), expected);
}

TEST(FavouritesEdit, ApplyKeepsADeletedGroupThatHoldsOtherFilesWholeAndSaysSo) {
    FavouritesFolder fav;
    fav.Group("Notes", {{"a", "", ""}});
    WriteText(fav.Path() + "Notes/mine.txt", "keep me");
    fav.Group("Plain", {{"p", "", ""}});
    const Files before = fav.Files();
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    ASSERT_TRUE(edit.DeleteGroup(0));
    ASSERT_TRUE(edit.DeleteGroup(0));
    const CFileResult applied = edit.Apply();
    ASSERT_FALSE(applied);
    EXPECT_EQ(applied.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_EQ(applied.message(),
              "the folder " + fav.Path() + "Notes holds other files besides its list and was kept");
    // Notes is back as it was, list and all; Plain is gone.
    Files expected = before;
    expected.erase("Plain/");
    expected.erase("Plain/list.dat");
    EXPECT_EQ(fav.Files(), expected);
    EXPECT_FALSE(edit.Changed());
}

// Every write beyond `bytes` fails as on a full disk, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int);
};

TEST(FavouritesEdit, AFailedWriteLeavesTheOldListAndLosesNoMovedEntry) {
    FavouritesFolder fav;
    fav.Group("A", FavouritesFolder::Entries("a", 2));
    fav.Group("B", FavouritesFolder::Entries("b", 3));
    const Files before = fav.Files();
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    ASSERT_TRUE(edit.MoveEntry(0, 0, 1)); // B grows to four records: 2048 bytes
    CFileResult applied;
    {
        FileSizeLimit limit(1800);
        applied = edit.Apply();
    }
    ASSERT_FALSE(applied);
    EXPECT_EQ(applied.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_NE(applied.message().find("cannot write " + fav.Path() + "B/list.dat"),
              std::string::npos)
        << applied.message();
    // B keeps its old list whole, and A was not written before B: the entry is still in A.
    EXPECT_EQ(fav.Files(), before);
    // Once the disk has room, the same edit goes through.
    ASSERT_TRUE(edit.Apply());
    EXPECT_EQ(fav.ListOf("A"), (std::vector<SEntry>{{"a1", "Name of a", "NYSE"}}));
    std::vector<SEntry> b = FavouritesFolder::Entries("b", 3);
    b.push_back({"a0", "Name of a", "NYSE"});
    EXPECT_EQ(fav.ListOf("B"), b);
}

TEST(FavouritesEdit, ValidateRefusesOnlyNewOrChangedNames) {
    FavouritesFolder fav;
    std::filesystem::create_directories(fav.Path() + std::string(70, 'L'));
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path());
    EXPECT_FALSE(edit.Validate()); // a long name already on disk stays usable
    ASSERT_FALSE(edit.NewGroup("x"));
    EXPECT_FALSE(edit.Validate());
}

} // namespace

namespace {

ino_t Inode(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

TEST(FavouritesEdit, FiftyGroupsOfAHundredReplaceOnlyTheChangedListsWhole) {
    FavouritesFolder fav;
    for (int g = 0; g < 50; ++g)
        fav.Group("G" + std::to_string(g), FavouritesFolder::Entries("s" + std::to_string(g), 100));
    const Files before = fav.Files();
    std::map<std::string, ino_t> inodes;
    for (int g = 0; g < 50; ++g) {
        const std::string list = fav.Path() + "G" + std::to_string(g) + "/list.dat";
        inodes[list] = Inode(list);
    }
    CFavouritesEdit edit = CFavouritesEdit::Load(fav.Path()); // G0 G1 G10 G11 ... in name order
    const auto index = [&](const std::string& name) {
        for (size_t i = 0; i < edit.Groups().size(); ++i)
            if (edit.Groups()[i].name == name) return i;
        ADD_FAILURE() << name;
        return size_t{0};
    };
    ASSERT_FALSE(edit.Rename(index("G7"), "Renamed"));
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(edit.MoveEntry(index("G3"), 0, index("G4")));
    ASSERT_TRUE(edit.DeleteGroup(index("G9")));
    ASSERT_TRUE(edit.DeleteEntry(index("G5"), 99));
    ASSERT_TRUE(edit.Apply());

    Files expected = before;
    for (auto it = expected.begin(); it != expected.end();)
        it = it->first.rfind("G9", 0) == 0 || it->first.rfind("G7", 0) == 0 ? expected.erase(it)
                                                                            : std::next(it);
    expected["Renamed/"] = "";
    expected["Renamed/list.dat"] = before.at("G7/list.dat");
    std::vector<SEntry> g3 = FavouritesFolder::Entries("s3", 100);
    std::vector<SEntry> g4 = FavouritesFolder::Entries("s4", 100);
    g4.insert(g4.end(), g3.begin(), g3.begin() + 30);
    g3.erase(g3.begin(), g3.begin() + 30);
    std::vector<SEntry> g5 = FavouritesFolder::Entries("s5", 100);
    g5.pop_back();
    expected["G3/list.dat"] = CFavourites::Serialize(g3);
    expected["G4/list.dat"] = CFavourites::Serialize(g4);
    expected["G5/list.dat"] = CFavourites::Serialize(g5);
    EXPECT_EQ(fav.Files(), expected); // no temporary file or set-aside folder is left

    // The three changed lists were replaced by new files (a rename over the old one), never
    // rewritten in place; the renamed group's list and the others stayed the very same file.
    for (int g = 0; g < 50; ++g) {
        const std::string name = g == 7 ? "Renamed" : "G" + std::to_string(g);
        if (g == 9) continue;
        const std::string now = fav.Path() + name + "/list.dat";
        const ino_t was = inodes.at(fav.Path() + "G" + std::to_string(g) + "/list.dat");
        if (g == 3 || g == 4 || g == 5)
            EXPECT_NE(Inode(now), was) << name;
        else
            EXPECT_EQ(Inode(now), was) << name;
    }
}

} // namespace
