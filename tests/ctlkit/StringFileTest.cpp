#include "ctlkit/base/CStringFile.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {
std::vector<std::string> AllStrings(const std::string& text) {
    CStringFile reader(&text);
    std::vector<std::string> lines;
    std::string line;
    int n;
    while ((n = reader.ReadingString(line)) > 0) {
        EXPECT_EQ(static_cast<size_t>(n), line.size());
        lines.push_back(line);
    }
    EXPECT_TRUE(line.empty());
    return lines;
}

std::vector<std::string> AllLines(const std::string& text) {
    CStringFile reader(&text);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadingLine(line)) lines.push_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

// Maps a sparse file read-only: its holes as anonymous zero pages, only its data from the
// file, so reading 3 GiB of mostly holes costs neither 3 GiB of memory nor of page cache.
const char* MapSparseFile(int fd, size_t size) {
    void* base =
        ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) return nullptr;
    ::madvise(base, size, MADV_HUGEPAGE); // the huge zero page: few faults for the holes
    const off_t page = ::sysconf(_SC_PAGESIZE);
    const off_t end = static_cast<off_t>(size);
    for (off_t data = ::lseek(fd, 0, SEEK_DATA); data >= 0 && data < end;
         data = ::lseek(fd, data, SEEK_DATA)) {
        off_t hole = ::lseek(fd, data, SEEK_HOLE);
        if (hole < 0) hole = end;
        const off_t from = data / page * page;
        const off_t to = std::min<off_t>((hole + page - 1) / page * page, end);
        if (::mmap(static_cast<char*>(base) + from, static_cast<size_t>(to - from), PROT_READ,
                   MAP_PRIVATE | MAP_FIXED, fd, from) == MAP_FAILED) {
            ::munmap(base, size);
            return nullptr;
        }
        data = hole;
    }
    return static_cast<const char*>(base);
}
} // namespace

TEST(StringFile, ReadingStringTakesTheFirstCharacterWhateverItIs) {
    struct Case {
        std::string text;
        Lines expected;
    };
    const Case cases[] = {
        {"a\nbc", {"a", "bc"}},         {"abc", {"abc"}}, {"a\r\nb\n", {"a\r", "b"}},
        {"a\n\nb", {"a", "\nb"}},       {"", {}},         {"\n", {"\n"}},
        {"a\n\n\nb", {"a", "\n", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllStrings(c.text), c.expected) << c.text;
}

TEST(StringFile, ReadingLineKeepsEmptyLinesApartAndDropsTheCarriageReturn) {
    struct Case {
        std::string text;
        Lines expected;
    };
    const Case cases[] = {
        {"a\nbc", {"a", "bc"}},       {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},   {"", {}},
        {"\r\n\r\nx", {"", "", "x"}}, {"a\rb\n", {"a\rb"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllLines(c.text), c.expected) << c.text;
}

TEST(StringFile, ReaderWithoutTextIsAtItsEnd) {
    CStringFile reader;
    std::string line = "x";
    EXPECT_EQ(reader.ReadingString(line), 0);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(reader.ReadingLine(line));
}

// A file of 3 GiB of which only a few hundred bytes are written: a header, runs of NULs cut by
// a line feed every 64 MiB, and quote lines at 1 GiB, at 2 GiB and near the end. Read as the
// renewal reads a previous file (every line, keeping those that look like quotes), every
// quote line is seen at its own offset and the read ends at the end of the file.
TEST(StringFile, ReadsLinesPastTwoGibibytesOfASparseFile) {
    constexpr uint64_t kRun = uint64_t{64} << 20;
    constexpr uint64_t kSize = uint64_t{3} << 30;
    char path[] = "/tmp/zs-sparse-XXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::unlink(path);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kSize)), 0);
    auto put = [fd](uint64_t at, const std::string& bytes) {
        ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(at)),
                  static_cast<ssize_t>(bytes.size()));
    };
    put(0, "Date,Open,High,Low,Close,Volume,Adj. Close*\n");
    for (uint64_t k = 1; k * kRun < kSize; ++k) put(k * kRun - 1, "\n");
    struct Quote {
        uint64_t at;
        std::string line;
    };
    const Quote quotes[] = {
        {uint64_t{1} << 30, "5-Jan-05,10.25,11.50,9.00,10.75,100000,10.75"},
        {uint64_t{2} << 30, "4-Jan-05,11.25,12.50,10.00,11.75,100001,11.75"},
        {kSize - 64, "3-Jan-05,12.25,13.50,11.00,12.75,100002,12.75"},
    };
    put(kSize - 65, "\n");
    for (const Quote& q : quotes) put(q.at, q.line + "\n");

    const char* map = MapSparseFile(fd, kSize);
    ASSERT_NE(map, nullptr);
    CStringFile reader(std::string_view(map, kSize));
    std::vector<uint64_t> offsets;
    std::vector<std::string> kept;
    size_t lines = 0;
    std::string header;
    ASSERT_TRUE(reader.ReadingLine(header));
    ++lines;
    std::string line;
    for (uint64_t at = reader.GetPosition(); reader.ReadingLine(line); at = reader.GetPosition()) {
        ++lines;
        if (line.size() < 20 || line[0] == '<' || line[0] == '\0') continue;
        offsets.push_back(at);
        kept.push_back(line);
    }
    const uint64_t endPosition = reader.GetPosition();
    ::munmap(const_cast<char*>(map), kSize);
    ::close(fd);
    EXPECT_EQ(offsets, (std::vector<uint64_t>{quotes[0].at, quotes[1].at, quotes[2].at}));
    EXPECT_EQ(kept, (std::vector<std::string>{quotes[0].line, quotes[1].line, quotes[2].line}));
    // The header, the runs between the 47 line feeds (the first and the last cut once more by
    // the quote lines and the feed before the last one), and the NULs after the last quote.
    EXPECT_EQ(lines, 1 + 47 + 3 + 1 + 1);
    EXPECT_EQ(endPosition, kSize);
}
