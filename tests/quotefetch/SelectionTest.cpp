#include "CTestServer.h"
#include "quotefetch/CStockSelection.h"
#include "quotefetch/SSelectedStock.h"
#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Set in a child process: the next rename of a file ends the process instead, as a crash
// between writing the new file and renaming it over the old one would.
std::atomic<bool> g_crashAtRename{false};
} // namespace

// The test program's own rename, found before the C library's.
extern "C" int rename(const char* from, const char* to) noexcept {
    if (g_crashAtRename.load()) ::_exit(77);
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

namespace {
std::string Record(const std::string& market, const std::string& symbol) {
    std::string bytes = market;
    bytes.resize(kSelectedMarketBytes, '\0');
    std::string field = symbol;
    field.resize(kSelectedSymbolBytes, '\0');
    return bytes + field;
}
} // namespace

TEST(SelectionFile, DecodesWholeRecordsOnlyAndKeepsEachFieldInItsOwnBytes) {
    const std::string noZeroMarket(32, 'M');
    const std::string noZeroSymbol(256, 'S');
    struct SCase {
        const char* name;
        std::string bytes;
        std::vector<SSelectedStock> expected;
    };
    const std::vector<SCase> cases = {
        {"empty file", "", {}},
        {"shorter than a record", std::string(287, 'x'), {}},
        {"one record", Record("NYSE", "IBM"), {{"NYSE", "IBM"}}},
        {"two records and 100 bytes",
         Record("NYSE", "IBM") + Record("SH", "600000") + std::string(100, 'z'),
         {{"NYSE", "IBM"}, {"SH", "600000"}}},
        {"market without its zero byte",
         noZeroMarket + std::string("IBM") + std::string(253, '\0'),
         {{noZeroMarket, "IBM"}}},
        {"symbol without its zero byte",
         Record("NYSE", "").substr(0, 32) + noZeroSymbol + Record("SH", "1"),
         {{"NYSE", noZeroSymbol}, {"SH", "1"}}},
        {"text after the zero byte ignored",
         std::string("NY\0junk", 7) + std::string(25, 'q') + std::string("A\0B", 3) +
             std::string(253, 'r'),
         {{"NY", "A"}}},
        {"empty fields", std::string(288, '\0'), {{"", ""}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeSelection(c.bytes), c.expected);
    }
}

TEST(SelectionFile, EncodesZeroFilledRecordsAndRefusesTextsThatDoNotFit) {
    std::string bytes;
    ASSERT_TRUE(EncodeSelection({{"NYSE", "IBM"}, {"SH", "600000"}}, bytes).ok());
    EXPECT_EQ(bytes, Record("NYSE", "IBM") + Record("SH", "600000"));

    struct SCase {
        const char* name;
        SSelectedStock stock;
        bool ok;
    };
    const std::vector<SCase> cases = {
        {"market of 31 bytes", {std::string(31, 'm'), "IBM"}, true},
        {"market of 32 bytes", {std::string(32, 'm'), "IBM"}, false},
        {"symbol of 255 bytes", {"NYSE", std::string(255, 's')}, true},
        {"symbol of 256 bytes", {"NYSE", std::string(256, 's')}, false},
        {"zero byte in the market", {std::string("NY\0SE", 5), "IBM"}, false},
        {"zero byte in the symbol", {"NYSE", std::string("I\0M", 3)}, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFileResult result = EncodeSelection({{"SH", "1"}, c.stock}, bytes);
        EXPECT_EQ(result.ok(), c.ok);
        if (c.ok) {
            EXPECT_EQ(bytes.size(), 2 * kSelectedStockBytes);
            EXPECT_EQ(DecodeSelection(bytes), (std::vector<SSelectedStock>{{"SH", "1"}, c.stock}));
        } else {
            EXPECT_EQ(result.kind(), CFileResult::EKind::UnsafeName);
            EXPECT_NE(result.message().find("record 2"), std::string::npos) << result.message();
            EXPECT_TRUE(bytes.empty());
        }
    }
}

class SelectionFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("selection"); }
    void TearDown() override { RemoveTree(folder); }
    std::string folder;
};

TEST_F(SelectionFileOnDisk, MissingFileIsAnEmptySelectionAndARefusedWriteKeepsTheOldFile) {
    const std::string path = folder + "/downloader.dat";
    EXPECT_TRUE(ReadSelectionFile(path).empty());
    ASSERT_TRUE(WriteSelectionFile(path, {{"NYSE", "IBM"}}).ok());
    EXPECT_FALSE(WriteSelectionFile(path, {{"NYSE", std::string(300, 'x')}}).ok());
    EXPECT_EQ(ReadSelectionFile(path), (std::vector<SSelectedStock>{{"NYSE", "IBM"}}));
}

TEST_F(SelectionFileOnDisk, CrashBetweenWritingAndRenamingLeavesTheOldFile) {
    const std::string path = folder + "/downloader.dat";
    ASSERT_TRUE(WriteSelectionFile(path, {{"NYSE", "IBM"}, {"SH", "1"}}).ok());
    const std::string before = ReadTextFile(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CStockSelection selection(path);
        selection.Load();
        g_crashAtRename = true;
        (void)selection.Add({"NASDAQ", "MSFT"});
        ::_exit(0); // not reached when the crash came
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 77);
    EXPECT_EQ(ReadTextFile(path), before);
    CStockSelection reloaded(path);
    reloaded.Load();
    EXPECT_EQ(reloaded.Stocks(), (std::vector<SSelectedStock>{{"NYSE", "IBM"}, {"SH", "1"}}));
}

TEST_F(SelectionFileOnDisk, EveryChangeIsSavedAtOnceInOrder) {
    const std::string path = folder + "/downloader.dat";
    CStockSelection selection(path);
    int changes = 0;
    selection.AddChangeListener([&] { ++changes; });
    using Stocks = std::vector<SSelectedStock>;
    const SSelectedStock a{"NYSE", "A"}, b{"NYSE", "B"}, c{"SH", "C"};
    struct SStep {
        const char* name;
        std::function<CFileResult()> change;
        Stocks expected;
        int changes;
    };
    const std::vector<SStep> steps = {
        {"add a", [&] { return selection.Add(a); }, {a}, 1},
        {"add b", [&] { return selection.Add(b); }, {a, b}, 2},
        {"add a again", [&] { return selection.Add(a); }, {a, b}, 2},
        {"add c", [&] { return selection.Add(c); }, {a, b, c}, 3},
        {"move c to the front", [&] { return selection.Move(2, 0); }, {c, a, b}, 4},
        {"move a to the end", [&] { return selection.Move(1, 2); }, {c, b, a}, 5},
        {"move out of range", [&] { return selection.Move(3, 0); }, {c, b, a}, 5},
        {"remove b", [&] { return selection.Remove(1); }, {c, a}, 6},
        {"remove out of range", [&] { return selection.Remove(2); }, {c, a}, 6},
        {"assign",
         [&] {
             return selection.Assign({b, a});
         },
         {b, a},
         7},
        {"clear", [&] { return selection.Clear(); }, {}, 8},
        {"clear again", [&] { return selection.Clear(); }, {}, 8},
    };
    for (const SStep& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(step.change().ok());
        EXPECT_EQ(selection.Stocks(), step.expected);
        EXPECT_EQ(changes, step.changes);
        if (changes > 0) {
            EXPECT_EQ(ReadSelectionFile(path), step.expected);
        }
    }
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(SelectionFileOnDisk, ChangeThatCannotBeSavedIsUndone) {
    const std::string path = folder + "/downloader.dat";
    CStockSelection selection(path);
    ASSERT_TRUE(selection.Add({"NYSE", "A"}).ok());
    int changes = 0;
    selection.AddChangeListener([&] { ++changes; });
    // A symbol too long for its field, then a folder that is gone.
    EXPECT_EQ(selection.Add({"NYSE", std::string(256, 'x')}).kind(),
              CFileResult::EKind::UnsafeName);
    RemoveTree(folder);
    EXPECT_EQ(selection.Add({"NYSE", "B"}).kind(), CFileResult::EKind::CannotWrite);
    EXPECT_EQ(selection.Stocks(), (std::vector<SSelectedStock>{{"NYSE", "A"}}));
    EXPECT_EQ(changes, 0);
    std::filesystem::create_directories(folder);
}
