#include "quotes/QuoteLineDate.h"
#include <gtest/gtest.h>

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
        {"5-Dec-1928,1,2,3,4,5,6", 1928, 12, 5},
        {"2005-12-05,1,2,3,4,5,6", 2005, 12, 5},
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
    EXPECT_EQ(ReadQuoteLineDate("2005/01/05,1,2,3,4,5,6", midnight), EQuoteLineDate::UnknownMonth);
    EXPECT_EQ(ReadQuoteLineDate("2005-13-05,1,2,3,4,5,6", midnight), EQuoteLineDate::UnknownMonth);
}

TEST(QuoteDate, StrictAndLooseRulesJudgeTheSameTextsApart) {
    struct Case {
        const char* text;
        EQuoteDate loose, strict;
    };
    const Case cases[] = {
        {"5-Jan-05", EQuoteDate::Ok, EQuoteDate::Ok},
        {"05-Dec-05", EQuoteDate::Ok, EQuoteDate::Ok},
        {"5-Jan-5", EQuoteDate::TooShort, EQuoteDate::UnknownMonth}, // "-Ja" is no month
        {"Jan-05", EQuoteDate::TooShort, EQuoteDate::Malformed},
        {"Jan-0", EQuoteDate::TooShort, EQuoteDate::TooShort},
        {"105-Jan-05", EQuoteDate::Ok, EQuoteDate::Malformed},
        {"5/Jan/05", EQuoteDate::Ok, EQuoteDate::Malformed},
        {"x5-Jan-05", EQuoteDate::Ok, EQuoteDate::Malformed},
        {"5-jan-05", EQuoteDate::UnknownMonth, EQuoteDate::UnknownMonth},
        {"5-Jan-0x", EQuoteDate::Ok, EQuoteDate::Malformed},
        {"5-Jan-1928", EQuoteDate::Ok, EQuoteDate::Ok},
        {"2005-01-05", EQuoteDate::Ok, EQuoteDate::Ok},
        {"x5-Jan-1928", EQuoteDate::Ok, EQuoteDate::Malformed},
        {"105-Jan-1928", EQuoteDate::Ok, EQuoteDate::UnknownMonth}, // strictly "-19" is no month
        {"5-jan-1928", EQuoteDate::UnknownMonth, EQuoteDate::UnknownMonth},
        {"2005-13-05", EQuoteDate::UnknownMonth, EQuoteDate::UnknownMonth},
    };
    for (const Case& c : cases) {
        SQuoteDay day;
        EXPECT_EQ(ParseQuoteDate(c.text, EQuoteDateRule::Loose, day), c.loose) << c.text;
        EXPECT_EQ(ParseQuoteDate(c.text, EQuoteDateRule::Strict, day), c.strict) << c.text;
    }
    SQuoteDay day;
    ASSERT_EQ(ParseQuoteDate("x5-Jan-05", EQuoteDateRule::Loose, day), EQuoteDate::Ok);
    EXPECT_EQ(day.day, 0); // atoi of "x5"
    ASSERT_EQ(ParseQuoteDate("09-Mar-50", EQuoteDateRule::Strict, day), EQuoteDate::Ok);
    EXPECT_EQ(day.year, 1950);
    EXPECT_EQ(day.month, 3);
    EXPECT_EQ(day.day, 9);
    EXPECT_EQ(QuoteMonthNumber("Dec"), 12);
    EXPECT_EQ(QuoteMonthNumber("Dec "), 0);
}
