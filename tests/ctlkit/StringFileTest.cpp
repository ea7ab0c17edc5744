#include "ctlkit/base/CStringFile.h"
#include <gtest/gtest.h>
#include <string>
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
