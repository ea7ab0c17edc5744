#include "DownloadTestSupport.h"
#include "download/QuoteMerge.h"

namespace {
SPreviousQuoteFile Previous(const std::vector<std::string>& lines) {
    return ReadPreviousQuoteFile(QuoteText(lines));
}
} // namespace

TEST(QuoteMerge, OnlyDaysAfterTheNewestLocalDayAreNew) {
    // Newest local day: Friday 7 January 2005; run on Tuesday 11 January.
    SPreviousQuoteFile previous = Previous(WeekdayLines(2005, 1, 7, 5));
    ASSERT_TRUE(previous.ok);
    ASSERT_TRUE(previous.hasNewestDay);
    EXPECT_EQ(previous.newestDay, LocalMidnightSeconds(2005, 1, 7));
    auto received = MergeReceivedQuotes(QuoteText(WeekdayLines(2005, 1, 11, 8)), previous, false);
    ASSERT_EQ(received.result, EMergeResult::Ok);
    EXPECT_EQ(received.newLines,
              (std::vector<std::string>{QuoteLine(2005, 1, 11, 0), QuoteLine(2005, 1, 10, 1)}));
}

// A quote file converted by another tool renews from its own newest day, whatever its form.
TEST(QuoteMerge, NewestLocalDayOfFourDigitAndIsoDates) {
    struct Case {
        const char* newest;
        int year, month, day;
    } cases[] = {{"2005-01-07", 2005, 1, 7}, {"7-Jan-2005", 2005, 1, 7}, {"07-Jan-05", 2005, 1, 7}};
    for (const Case& c : cases) {
        SPreviousQuoteFile previous = ReadPreviousQuoteFile(
            kHeader + "\n" + c.newest + ",1,2,0.5,1.5,100,1.5\n1928-12-05,1,2,0.5,1.5,100,1.5\n");
        ASSERT_TRUE(previous.hasNewestDay) << c.newest;
        EXPECT_EQ(previous.newestDay, LocalMidnightSeconds(c.year, c.month, c.day)) << c.newest;
        auto received =
            MergeReceivedQuotes(QuoteText(WeekdayLines(2005, 1, 11, 4)), previous, false);
        ASSERT_EQ(received.result, EMergeResult::Ok) << c.newest;
        EXPECT_EQ(received.newLines,
                  (std::vector<std::string>{QuoteLine(2005, 1, 11, 0), QuoteLine(2005, 1, 10, 1)}))
            << c.newest;
    }
}

TEST(QuoteMerge, ShortAndMarkupLinesAreDroppedFromBothSides) {
    std::string file = kHeader + "\n<b>7-Jan-05 markup line here</b>\n" + QuoteLine(2005, 1, 7) +
                       "\n7-Jan-05,1,2,3\n" + QuoteLine(2005, 1, 6) + "\n";
    SPreviousQuoteFile previous = ReadPreviousQuoteFile(file);
    EXPECT_EQ(previous.lines,
              (std::vector<std::string>{QuoteLine(2005, 1, 7), QuoteLine(2005, 1, 6)}));
    std::string answer = kHeader + "\n" + QuoteLine(2005, 1, 10) +
                         "\n<!-- 11-Jan-05,1,2,3,4 -->\n" + "9-Jan-05,1,2\n" +
                         QuoteLine(2005, 1, 7) + "\n";
    auto received = MergeReceivedQuotes(answer, previous, false);
    ASSERT_EQ(received.result, EMergeResult::Ok);
    EXPECT_EQ(received.newLines, std::vector<std::string>{QuoteLine(2005, 1, 10)});
}

TEST(QuoteMerge, OneDayGapRule) {
    SPreviousQuoteFile previous = Previous({QuoteLine(2005, 1, 7)});
    struct Case {
        std::vector<std::string> answer;
        EMergeResult expected;
    };
    const Case cases[] = {
        {{QuoteLine(2005, 1, 10), QuoteLine(2005, 1, 8)}, EMergeResult::Ok},  // ends a day after
        {{QuoteLine(2005, 1, 10), QuoteLine(2005, 1, 9)}, EMergeResult::Gap}, // two days after
        {{QuoteLine(2005, 1, 10), QuoteLine(2005, 1, 7)}, EMergeResult::Ok},
        {{}, EMergeResult::Ok}, // the header alone: nothing new, no day to judge
    };
    for (const Case& c : cases)
        EXPECT_EQ(MergeReceivedQuotes(QuoteText(c.answer), previous, false).result, c.expected);
}

TEST(QuoteMerge, DayAfterAcrossTheEndOfDaylightSavingTimeIsNoGap) {
    // In New York, Sunday 30 October 2005 is 25 hours long.
    SPreviousQuoteFile previous = Previous({QuoteLine(2005, 10, 29)});
    auto received = MergeReceivedQuotes(
        QuoteText({QuoteLine(2005, 10, 31), QuoteLine(2005, 10, 30)}), previous, false);
    EXPECT_EQ(received.result, EMergeResult::Ok);
    EXPECT_EQ(received.newLines.size(), 2u);
}

TEST(QuoteMerge, HeaderMustBeTheWholeFirstLine) {
    SPreviousQuoteFile previous = Previous({QuoteLine(2005, 1, 7)});
    EXPECT_EQ(
        MergeReceivedQuotes(QuoteText({QuoteLine(2005, 1, 7)}, kHeader + ",x"), previous, false)
            .result,
        EMergeResult::BadHeader);
    EXPECT_EQ(MergeReceivedQuotes("", previous, false).result, EMergeResult::BadHeader);
    EXPECT_FALSE(ReadPreviousQuoteFile(kHeader + " \n").ok);
    EXPECT_TRUE(ReadPreviousQuoteFile(kHeader + "\r\n").ok);
}

TEST(QuoteMerge, UnknownMonthFailsTheMerge) {
    SPreviousQuoteFile previous = Previous({QuoteLine(2005, 1, 7)});
    std::string answer = QuoteText({QuoteLine(2005, 1, 10), "8-jan-05,1.00,2.00,3.00,4.00,5,6"});
    EXPECT_EQ(MergeReceivedQuotes(answer, previous, false).result, EMergeResult::UnknownMonth);
}

TEST(QuoteMerge, FragmentAfterAnEarlyStopIsLeftOut) {
    SPreviousQuoteFile previous = Previous({QuoteLine(2005, 1, 7)});
    // The reading stopped inside the line after 6 January.
    std::string answer =
        QuoteText({QuoteLine(2005, 1, 10), QuoteLine(2005, 1, 6)}) + "5-Jan-05,10.25,11.50,9";
    auto received = MergeReceivedQuotes(answer, previous, true);
    EXPECT_EQ(received.result, EMergeResult::Ok);
    EXPECT_EQ(received.newLines, std::vector<std::string>{QuoteLine(2005, 1, 10)});
    // A complete answer's last line needs no line feed.
    std::string complete = QuoteText({QuoteLine(2005, 1, 10)}) + QuoteLine(2005, 1, 9);
    EXPECT_EQ(MergeReceivedQuotes(complete, previous, false).newLines.size(), 2u);
    EXPECT_EQ(MergeReceivedQuotes(complete, previous, true).newLines.size(), 1u);
}

TEST(QuoteMerge, RenewedFileIsHeaderNewLinesThenPreviousLines) {
    EXPECT_EQ(ComposeRenewedFile({"b", "a"}, {"y", "x"}), kHeader + "\nb\na\ny\nx\n");
    EXPECT_EQ(ComposeRenewedFile({}, {}), kHeader + "\n");
}
