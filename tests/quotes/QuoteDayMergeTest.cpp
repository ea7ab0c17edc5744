#include "quotes/QuoteDayMerge.h"
#include <gtest/gtest.h>

namespace {
const std::string kHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*\n";

std::vector<std::string_view> Lines(std::initializer_list<std::string_view> lines) {
    return lines;
}
} // namespace

TEST(QuoteDayMerge, UnitesTheDaysNewestFirstWithTheirCounts) {
    struct Case {
        const char* name;
        std::vector<std::string_view> local, incoming;
        bool replace;
        std::string lines; // after the header
        SQuoteDayMergeCounts counts;
    };
    const Case cases[] = {
        {"nothing local: every incoming day, oldest first in, newest first out",
         {},
         Lines({"3-Jan-05,1", "4-Jan-05,2", "5-Jan-05,3"}),
         false,
         "5-Jan-05,3\n4-Jan-05,2\n3-Jan-05,1\n",
         {3, 0, 0, 0}},
        {"older and newer incoming days around the local ones",
         Lines({"10-Jan-05,L10", "07-Jan-05,L7"}),
         Lines({"3-Jan-05,I3", "8-Jan-05,I8", "12-Jan-05,I12"}),
         false,
         "12-Jan-05,I12\n10-Jan-05,L10\n8-Jan-05,I8\n07-Jan-05,L7\n3-Jan-05,I3\n",
         {3, 0, 2, 0}},
        {"a shared day keeps the local line unless asked",
         Lines({"10-Jan-05,L10", "07-Jan-05,L7"}),
         Lines({"7-Jan-05,I7", "10-Jan-05,I10"}),
         false,
         "10-Jan-05,L10\n07-Jan-05,L7\n",
         {0, 0, 2, 2}},
        {"replacing: the incoming line takes the day",
         Lines({"10-Jan-05,L10", "07-Jan-05,L7", "06-Jan-05,L6"}),
         Lines({"7-Jan-05,I7", "10-Jan-05,I10"}),
         true,
         "10-Jan-05,I10\n7-Jan-05,I7\n06-Jan-05,L6\n",
         {0, 2, 1, 0}},
        {"a day given twice counts once: the first line",
         {},
         Lines({"7-Jan-05,first", "7-Jan-05,second"}),
         true,
         "7-Jan-05,first\n",
         {1, 0, 0, 1}},
        {"years below 50 are this century: 49 after 99",
         Lines({"31-Dec-99,L"}),
         Lines({"1-Jan-49,I", "1-Jan-50,J"}),
         false,
         "1-Jan-49,I\n31-Dec-99,L\n1-Jan-50,J\n",
         {2, 0, 1, 0}},
        {"undated local lines stay at the end, undated incoming ones are skipped",
         Lines({"garbage", "05-Jan-05,L5"}),
         Lines({"nonsense", "6-Jan-05,I6"}),
         false,
         "6-Jan-05,I6\n05-Jan-05,L5\ngarbage\n",
         {1, 0, 2, 1}},
        {"a file converted by another tool: its ISO and four-digit days meet the incoming ones",
         Lines({"2005-01-07,L7", "5-Jan-2005,L5", "1928-12-05,L28"}),
         Lines({"7-Jan-05,I7", "6-Jan-05,I6"}),
         false,
         "2005-01-07,L7\n6-Jan-05,I6\n5-Jan-2005,L5\n1928-12-05,L28\n",
         {1, 0, 3, 1}},
        {"local lines out of order come out sorted",
         Lines({"05-Jan-05,L5", "09-Jan-05,L9"}),
         {},
         false,
         "09-Jan-05,L9\n05-Jan-05,L5\n",
         {0, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        SQuoteDayMerge merged = MergeQuoteDays(c.local, c.incoming, c.replace);
        EXPECT_EQ(merged.text, kHeader + c.lines) << c.name;
        EXPECT_EQ(merged.counts, c.counts) << c.name;
    }
}

TEST(QuoteDayMerge, ReadsTheDataLinesAfterTheHeader) {
    struct Case {
        std::string text;
        bool ok;
        std::vector<std::string_view> lines;
    };
    const Case cases[] = {
        {kHeader + "05-Jan-05,1\n\n04-Jan-05,2", true, Lines({"05-Jan-05,1", "04-Jan-05,2"})},
        {"Date,Open,High,Low,Close,Volume,Adj. Close*\r\n05-Jan-05,1\r\n", true,
         Lines({"05-Jan-05,1"})},
        {kHeader + "05-Jan-05,1\r\r\n\r\n04-Jan-05,2\r", true,
         Lines({"05-Jan-05,1", "04-Jan-05,2"})},
        {kHeader, true, {}},
        {"", false, {}},
        {"date,open,high,low,close,volume,adj. close*\n05-Jan-05,1\n", false, {}},
        {"<TICKER>,<PER>\nIBM,D\n", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> lines = Lines({"left over"});
        EXPECT_EQ(ReadQuoteFileLines(c.text, lines), c.ok) << c.text;
        EXPECT_EQ(lines, c.lines) << c.text;
    }
}
