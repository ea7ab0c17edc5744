#include "QuotesTestSupport.h"
#include "quotes/CCsvQuoteReader.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFields.h"
#include "quotes/QuoteFileFormat.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
using ELine = CCsvQuoteReader::ELine;

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A file of `count` quotes, newest first, on consecutive days back from 31 Dec 2005; the
// close of the quote k days back is 1000 + k.
std::string CsvOfDays(int count, const char* lineEnd = "\n") {
    std::string text = std::string(kCsvQuoteHeader) + lineEnd;
    for (int k = 0; k < count; ++k) {
        SLocalDay day = LocalDayOf(Day(2005, 12, 31) - k * 86400 + 7200);
        char line[128];
        std::snprintf(line, sizeof line, "%d-%s-%02d,1.5,2.5,0.5,%d,100,%d%s", day.day,
                      kMonthNames[day.month - 1], day.year % 100, 1000 + k, 1000 + k, lineEnd);
        text += line;
    }
    return text;
}

class CsvReaderTest : public QuotesTest {
protected:
    std::string WriteCsv(const std::string& body) {
        std::string path = home.Path() + "q.csv";
        WriteText(path, std::string(kCsvQuoteHeader) + "\n" + body);
        return path;
    }
};
} // namespace

TEST(CsvLineTest, DatesReadDayMonthAndTwoDigitYear) {
    struct Case {
        const char* date;
        int year, month, day;
    } cases[] = {
        {"5-Dec-05", 2005, 12, 5},  {"05-Dec-05", 2005, 12, 5}, {"1-Jan-37", 2037, 1, 1},
        {"1-Jan-50", 1950, 1, 1},   {"1-Jan-99", 1999, 1, 1},   {"31-Jan-00", 2000, 1, 31},
        {"29-Feb-04", 2004, 2, 29}, {"18-Jan-38", 2038, 1, 18},
    };
    CCsvQuoteReader reader;
    for (const Case& c : cases) {
        SQuote quote;
        std::string line = std::string(c.date) + ",1,2,0.5,1.5,10,1.5";
        ASSERT_EQ(reader.ParseLine(line, quote), ELine::Quote) << c.date;
        EXPECT_EQ(quote.date, Day(c.year, c.month, c.day)) << c.date;
    }
}

// Files converted by hand or by other tools: four-digit years and ISO dates.
TEST(CsvLineTest, DatesReadFourDigitYearsAndIsoForms) {
    struct Case {
        const char* date;
        ELine verdict;
        int year = 0, month = 0, day = 0;
    } cases[] = {
        {"5-Dec-1928", ELine::Quote, 1928, 12, 5},
        {"05-Dec-1928", ELine::Quote, 1928, 12, 5},
        {"2005-12-05", ELine::Quote, 2005, 12, 5},
        {"1-Jan-2037", ELine::Quote, 2037, 1, 1},
        {"1950-01-01", ELine::Quote, 1950, 1, 1},
        {"1902-02-28", ELine::Quote, 1902, 2, 28},
        {"29-Feb-2000", ELine::Quote, 2000, 2, 29},
        {"29-Feb-1900", ELine::BadDate},
        {"2005-02-30", ELine::BadDate},
        {"2005-12-00", ELine::BadDate},
        {"x5-Dec-1928", ELine::BadDate},
        {"5-dec-1928", ELine::UnknownMonth},
        {"2005-13-05", ELine::UnknownMonth},
        {"2005-00-05", ELine::UnknownMonth},
        {"2005-1x-05", ELine::UnknownMonth},
        {"105-Dec-1928", ELine::UnknownMonth}, // too long for a day: read as "-19" of two digits
        {"2049-01-01", ELine::DateOutOfRange},
        {"1-Jan-1800", ELine::DateOutOfRange},
    };
    CCsvQuoteReader reader;
    for (const Case& c : cases) {
        SQuote quote;
        std::string line = std::string(c.date) + ",1,2,0.5,1.5,10,1.5";
        ASSERT_EQ(reader.ParseLine(line, quote), c.verdict) << c.date;
        if (c.verdict == ELine::Quote) {
            EXPECT_EQ(quote.date, Day(c.year, c.month, c.day)) << c.date;
        }
    }
}

TEST(CsvLineTest, RefusesImpossibleOrMalformedDatesAndBadNumbers) {
    struct Case {
        const char* line;
        ELine verdict;
    } cases[] = {
        {"32-Jan-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"0-Jan-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"29-Feb-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"31-Apr-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"123-Dec-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"x5-Dec-05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"5/Dec/05,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {"5-Dec-0x,1,2,0.5,1.5,10,1.5", ELine::BadDate},
        {",1,2,0.5,1.5,10,1.5,extra,more", ELine::BadDate},
        {"20-Jan-38,1,2,0.5,1.5,10,1.5", ELine::DateOutOfRange},
        // 2049 and 2038-01-20 do not fit the 32-bit date; 1949 would have.
        {"1-Jan-49,1,2,0.5,1.5,10,1.5", ELine::DateOutOfRange},
        {"31-Dec-49,1,2,0.5,1.5,10,1.5", ELine::DateOutOfRange},
        {"5-dec-05,1,2,0.5,1.5,10,1.5", ELine::UnknownMonth},
        {"2005/12/05,1,2,0.5,1.5,10,1.5", ELine::UnknownMonth},
        {"5-Dec-05,null,null,null,null,0,null", ELine::BadNumber},
        {"5-Dec-05,,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"5-Dec-05,1,2,0.5,1.5,ten,1.5", ELine::BadNumber},
        {"5-Dec-05,1,2,0.5,1.5,10,1.5x", ELine::BadNumber},
        {"5-Dec-05, 1,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"5-Dec-05,+1,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"5-Dec-05,1e39,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"5-Dec-05,inf,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"5-Dec-05,nan,2,0.5,1.5,10,1.5", ELine::BadNumber},
        {"short,line", ELine::Short},
        {"<!-- 1,2,3,4,5,6,7,8 -->", ELine::Markup},
    };
    CCsvQuoteReader reader;
    for (const Case& c : cases) {
        SQuote quote;
        EXPECT_EQ(reader.ParseLine(c.line, quote), c.verdict) << c.line;
    }
}

TEST(CsvLineTest, NulInsideAFieldRefusesTheLine) {
    std::string line("5-Dec-05,1,2\0,0.5,1.5,10,1.5", 29);
    SQuote quote;
    EXPECT_EQ(CCsvQuoteReader().ParseLine(line, quote), ELine::BadNumber);
}

TEST(CsvLineTest, MissingVolumeAndAdjustedCloseReadAsZero) {
    SQuote quote;
    ASSERT_EQ(CCsvQuoteReader().ParseLine("5-Dec-05,1.25,2.5,0.75,1.5", quote), ELine::Quote);
    EXPECT_EQ(quote.open, 1.25f);
    EXPECT_EQ(quote.high, 2.5f);
    EXPECT_EQ(quote.low, 0.75f);
    EXPECT_EQ(quote.close, 1.5f);
    EXPECT_EQ(quote.volume, 0.0f);
    EXPECT_EQ(quote.adjClose, 0.0f);
    ASSERT_EQ(CCsvQuoteReader().ParseLine("5-Dec-05,1.25,2.5,0.75,1.5,,", quote), ELine::Quote);
    EXPECT_EQ(quote.volume, 0.0f);
}

TEST(CsvLineTest, NumbersRoundOnceToFloatLikeStrtof) {
    const char* texts[] = {"52.05",    "0.1",     "3.4028235e38", "1.00000005960464477539",
                           "16777217", "4943331", "1e-45",        "123456789.123456789",
                           "-0.0"};
    for (const char* text : texts) {
        float value = -1;
        ASSERT_TRUE(ReadRequiredNumber(text, value)) << text;
        float reference = std::strtof(text, nullptr);
        EXPECT_EQ(std::memcmp(&value, &reference, sizeof value), 0) << text;
    }
}

TEST_F(CsvReaderTest, KeepsTheNewest401QuotesOldestFirstByDefault) {
    std::string path = home.Path() + "q.csv";
    WriteText(path, CsvOfDays(1000));
    WriteSetup();
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    ASSERT_EQ(stock.Base().size(), 401u);
    ASSERT_EQ(stock.Display().size(), 401u);
    EXPECT_EQ(stock.Base().front().close, 1400.0f);
    EXPECT_EQ(stock.Base().back().close, 1000.0f);
    EXPECT_EQ(stock.Base().back().date, Day(2005, 12, 31));
    EXPECT_EQ(stock.Base().front().date, Day(2004, 11, 26));
    EXPECT_TRUE(stock.LastReadStats().stoppedAtMaximum);
    EXPECT_EQ(stock.LastReadStats().quotes, 401u);
    EXPECT_EQ(stock.WindowFirst(), 0);
    EXPECT_EQ(stock.WindowEnd(), 401);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CsvReaderTest, MaximumCountsOnlyLoadedQuotesAndIsNotACutWhenTheFileEnds) {
    std::string path = home.Path() + "q.csv";
    WriteText(path, CsvOfDays(11));
    WriteSetup();
    CStock stock;
    stock.SetMaximumQuotes(10, false);
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    EXPECT_EQ(stock.Base().size(), 11u);
    EXPECT_FALSE(stock.LastReadStats().stoppedAtMaximum);
    stock.SetMaximumQuotes(0, false);
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    ASSERT_EQ(stock.Base().size(), 1u);
    EXPECT_EQ(stock.Base().front().close, 1000.0f);
    EXPECT_TRUE(stock.LastReadStats().stoppedAtMaximum);
}

TEST_F(CsvReaderTest, CrLfLinesReadLikeLfLines) {
    std::string lf = home.Path() + "lf.csv";
    std::string crlf = home.Path() + "crlf.csv";
    WriteText(lf, CsvOfDays(30));
    WriteText(crlf, CsvOfDays(30, "\r\n"));
    WriteSetup();
    CStock a;
    CStock b;
    ASSERT_TRUE(a.LoadQuoteFile(lf));
    ASSERT_TRUE(b.LoadQuoteFile(crlf));
    ASSERT_EQ(a.Base().size(), 30u);
    ASSERT_EQ(b.Base().size(), 30u);
    for (size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(a.Base()[i].date, b.Base()[i].date);
        EXPECT_EQ(a.Base()[i].adjClose, b.Base()[i].adjClose);
    }
}

TEST_F(CsvReaderTest, SkipsShortMarkupAndBadLinesAndCountsThem) {
    std::string path = WriteCsv("6-Dec-05,2,3,1,2.5,200,2.5\n"
                                "<td>whatever markup the server added</td>\n"
                                "\n"
                                "too short,1,2\n"
                                "5-Dec-05,null,null,null,null,0,null\n"
                                "32-Dec-05,1,2,0.5,1.5,10,1.5\n"
                                "20-Jan-38,1,2,0.5,1.5,10,1.5\n"
                                "2-Dec-05,1,2,0.5,1.5,100,1.5\n");
    WriteSetup();
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    ASSERT_EQ(stock.Base().size(), 2u);
    EXPECT_EQ(stock.Base()[0].date, Day(2005, 12, 2));
    EXPECT_EQ(stock.Base()[1].date, Day(2005, 12, 6));
    const SQuoteReadStats& stats = stock.LastReadStats();
    EXPECT_EQ(stats.lines, 8u);
    EXPECT_EQ(stats.quotes, 2u);
    EXPECT_EQ(stats.markupLines, 1u);
    EXPECT_EQ(stats.shortLines, 2u);
    EXPECT_EQ(stats.badNumberLines, 1u);
    EXPECT_EQ(stats.badDateLines, 1u);
    EXPECT_EQ(stats.dateOutOfRangeLines, 1u);
    EXPECT_EQ(stats.Refused(), 3u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CsvReaderTest, UnknownMonthStopsWithMessageAndKeepsQuotesReadSoFar) {
    std::string path = WriteCsv("7-Dec-05,2,3,1,2.5,200,2.5\n"
                                "6-Dec-05,2,3,1,2.5,200,2.5\n"
                                "5-dec-05,2,3,1,2.5,200,2.5\n"
                                "4-Dec-05,2,3,1,2.5,200,2.5\n");
    WriteSetup();
    CStock stock;
    stock.ClearSeries(true, true);
    CFileResult read = stock.ReadCsvQuotes(path);
    EXPECT_TRUE(read.partial());
    EXPECT_EQ(read.kind(), CFileResult::EKind::Damaged);
    EXPECT_EQ(read.message(), "Unkonwn data file format.");
    ASSERT_EQ(stock.Base().size(), 2u);
    EXPECT_EQ(stock.Base()[0].date, Day(2005, 12, 6));
    EXPECT_EQ(stock.Base()[1].date, Day(2005, 12, 7));
    EXPECT_TRUE(stock.LastReadStats().stoppedAtUnknownMonth);
}

TEST_F(CsvReaderTest, WrongHeaderReadsNothing) {
    std::string path = home.Path() + "q.csv";
    WriteText(path, "Date,Open,High,Low,Close,Volume\n6-Dec-05,2,3,1,2.5,200,2.5\n");
    WriteSetup();
    CStock stock;
    stock.ClearSeries(true, true);
    CFileResult read = stock.ReadCsvQuotes(path);
    EXPECT_EQ(read.kind(), CFileResult::EKind::WrongType);
    EXPECT_FALSE(read.partial());
    EXPECT_TRUE(stock.Base().empty());
}

TEST_F(CsvReaderTest, DirectReadPrependsToWhatTheSeriesHolds) {
    std::string path = WriteCsv("7-Dec-05,2,3,1,2.5,200,2.5\n6-Dec-05,2,3,1,2.5,200,2.5\n");
    WriteSetup();
    CStock stock; // holds the placeholder quote
    int32_t placeholder = stock.Base().front().date;
    ASSERT_TRUE(stock.ReadCsvQuotes(path));
    ASSERT_EQ(stock.Base().size(), 3u);
    EXPECT_EQ(stock.Base()[0].date, Day(2005, 12, 6));
    EXPECT_EQ(stock.Base()[1].date, Day(2005, 12, 7));
    EXPECT_EQ(stock.Base()[2].date, placeholder);
    EXPECT_EQ(stock.Display().size(), 3u);
}

TEST_F(CsvReaderTest, RealFileLoadsEveryLineWithLargeMaximum) {
    WriteSetup();
    CStock stock;
    stock.SetMaximumQuotes(100000, false);
    ASSERT_TRUE(stock.LoadQuoteFile(ZS_TEST_DATA_DIR "/ttrc.csv"));
    ASSERT_EQ(stock.Base().size(), 5550u);
    EXPECT_EQ(stock.LastReadStats().Refused(), 0u);
    EXPECT_EQ(stock.Base().front().date, Day(1985, 1, 2));
    EXPECT_EQ(stock.Base().front().close, 3.08f);
    EXPECT_EQ(stock.Base().back().date, Day(2006, 12, 29));
    EXPECT_EQ(stock.Base().back().volume, 4943331.0f);
    for (size_t i = 1; i < stock.Base().size(); ++i)
        ASSERT_LT(stock.Base()[i - 1].date, stock.Base()[i].date) << i;
}
