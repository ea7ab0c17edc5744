#include "ctlkit/CStringFile.h"
#include "ctlkit/QuoteLineDate.h"
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

TEST(QuoteLineDate, ReadsDayMonthNameAndTwoDigitYear) {
    struct Case {
        const char* line;
        int year, month, day;
    };
    const Case cases[] = {
        {"31-Dec-99,1,2,3,4,5,6", 1999, 12, 31},
        {"2-Jan-05,1,2,3,4,5,6", 2005, 1, 2},
        {"3-Jan-50,1,2,3,4,5,6", 1950, 1, 3},
        {"15-Jan-05", 2005, 1, 15},
        {"05-Dec-05,x", 2005, 12, 5},
        {"1-Jan-49,", 2049, 1, 1},
    };
    for (const Case& c : cases) {
        int64_t midnight = 0;
        ASSERT_EQ(ReadQuoteLineDate(c.line, midnight), EQuoteLineDate::Ok) << c.line;
        EXPECT_EQ(midnight, LocalMidnightSeconds(c.year, c.month, c.day)) << c.line;
    }
}

TEST(QuoteLineDate, RefusesShortDatesAndUnknownMonths) {
    int64_t midnight = 0;
    EXPECT_EQ(ReadQuoteLineDate("5-Jan-5,1,2,3,4,5,6,7,8,9", midnight), EQuoteLineDate::TooShort);
    EXPECT_EQ(ReadQuoteLineDate("Date,Open,High,Low,Close", midnight), EQuoteLineDate::TooShort);
    EXPECT_EQ(ReadQuoteLineDate("5-dec-05,1,2,3,4,5,6", midnight), EQuoteLineDate::UnknownMonth);
    EXPECT_EQ(ReadQuoteLineDate("2005-01-05,1,2,3,4,5,6", midnight), EQuoteLineDate::UnknownMonth);
}
