#include "FaultyFileSystem.h"
#include "QuotesTestSupport.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class CsvExportTest : public QuotesTest {
protected:
    CsvExportTest() { WriteSetup(); }

    void Fill(CStock& stock, std::vector<SQuote> quotes) { stock.RestoreSeries(quotes, quotes); }
};

std::string Printf2(float value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
    return buffer;
}
} // namespace

TEST_F(CsvExportTest, WritesHeaderAndNewestFirstWithFixedFormats) {
    CStock stock;
    Fill(stock, {Quote(Day(2005, 12, 5), 52.05f, 52.27f, 51.78f, 12.345f, 1234567, 51.95f),
                 Quote(Day(2006, 1, 17), 1, 2, 0.5f, 1.5f, 3e9f, 1.499f)});
    std::string path = home.Path() + "out.csv";
    ASSERT_TRUE(stock.ExportCsv(path));
    EXPECT_EQ(ReadText(path), "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                              "17-Jan-06,1.00,2.00,0.50,1.50,3000000000,1.50\n"
                              "05-Dec-05,52.05,52.27,51.78,12.35,1234567,51.95\n");
    EXPECT_TRUE(prompter.messages.empty());
}

// Two-digit years hold 1950 to 2049 only: 1928 written as "28" would read back as 2028.
TEST_F(CsvExportTest, QuotesOutsideTheTwoDigitYearsAreRefusedNamingTheDay) {
    const std::string path = home.Path() + "out.csv";
    WriteText(path, "old");
    struct Case {
        int32_t oldest;
        std::string message; // empty: written
    } cases[] = {
        {Day(1928, 12, 5), "The quote of 1928-12-05 cannot be stored: quote files hold the years "
                           "1950 to 2049 only. The old file " + path + " is unchanged."},
        {Day(1949, 12, 31), "The quote of 1949-12-31 cannot be stored: quote files hold the "
                            "years 1950 to 2049 only. The old file " + path + " is unchanged."},
        {Day(1950, 1, 1), ""},
    };
    for (const Case& c : cases) {
        CStock stock;
        Fill(stock, {Quote(c.oldest, 1, 2, 0.5f, 1.5f), Quote(Day(2005, 12, 5), 1, 2, 0.5f, 1.5f)});
        stock.SetExportOnClose(true);
        const CFileResult exported = stock.ExportCsv(path);
        EXPECT_EQ(exported.message(), c.message);
        EXPECT_EQ(static_cast<bool>(exported), c.message.empty());
        EXPECT_EQ(stock.ExportOnClose(), !c.message.empty());
        EXPECT_EQ(ReadText(path).substr(0, 3), c.message.empty() ? "Dat" : "old");
    }
    EXPECT_EQ(ReadText(path), "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                              "05-Dec-05,1.00,2.00,0.50,1.50,0,0.00\n"
                              "01-Jan-50,1.00,2.00,0.50,1.50,0,0.00\n");
}

TEST(CsvWriterTest, PricesMatchPrintfTwoDecimals) {
    std::vector<float> values = {0.125f,  0.375f,        2.5f,   -0.0f,   0.005f,  1e30f,
                                 -1.005f, 3.4028235e38f, 1e-45f, 12.345f, 0.0f,    99.995f,
                                 -0.001f, 0.015f,        1e17f,  9.2e16f, 9.3e16f, -4.9e16f};
    // Multiples of 1/64 hold every kind of exact tie at the second decimal.
    for (int i = -100000; i <= 100000; ++i) values.push_back(static_cast<float>(i) / 64.0f);
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        uint32_t b = bits(random) & 0x7FFFFFFF;
        float f;
        std::memcpy(&f, &b, sizeof f);
        if (std::isfinite(f)) values.push_back(i % 2 ? f : -f);
        values.push_back(static_cast<float>(random() % 10000000) / 1000.0f);
    }
    for (float value : values) {
        std::string text;
        CCsvQuoteWriter::AppendPrice(text, value);
        ASSERT_EQ(text, Printf2(value)) << value;
    }
}

TEST(CsvWriterTest, VolumeIsCutTowardZeroIn64Bits) {
    struct Case {
        float volume;
        const char* text;
    } cases[] = {{1234567.0f, "1234567"},
                 {3e9f, "3000000000"},
                 {2147483648.0f, "2147483648"},
                 {12.9f, "12"},
                 {-12.9f, "-12"},
                 {0.0f, "0"},
                 {1e30f, "9223372036854775807"},
                 {-1e30f, "-9223372036854775808"},
                 {std::nanf(""), "0"}};
    for (const Case& c : cases) {
        std::string text;
        CCsvQuoteWriter::AppendVolume(text, c.volume);
        EXPECT_EQ(text, c.text) << c.volume;
    }
}

TEST_F(CsvExportTest, WritesTheDisplaySeriesInItsPeriodAndClearsTheExportFlag) {
    CStock stock;
    Fill(stock, {Quote(Day(2005, 12, 5), 1, 2, 0.5f, 1.5f, 10, 1.5f),
                 Quote(Day(2005, 12, 6), 1, 3, 0.25f, 2.5f, 20, 2.5f)});
    stock.MakeWeekLine(false);
    stock.SetExportOnClose(true);
    std::string path = home.Path() + "week.csv";
    ASSERT_TRUE(stock.ExportCsv(path));
    EXPECT_FALSE(stock.ExportOnClose());
    EXPECT_EQ(ReadText(path), "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                              "05-Dec-05,1.00,3.00,0.25,2.50,30,2.50\n");
}

TEST_F(CsvExportTest, ExportThenLoadGivesTheSameQuotes) {
    CStock stock;
    stock.SetMaximumQuotes(10000, false);
    ASSERT_TRUE(stock.LoadQuoteFile(ZS_TEST_DATA_DIR "/ttrc.csv"));
    std::string path = home.Path() + "again.csv";
    ASSERT_TRUE(stock.ExportCsv(path));
    CStock again;
    again.SetMaximumQuotes(10000, false);
    ASSERT_TRUE(again.LoadQuoteFile(path));
    ASSERT_EQ(again.Base().size(), stock.Base().size());
    for (size_t i = 0; i < stock.Base().size(); ++i) {
        const SQuote& a = stock.Base()[i];
        const SQuote& b = again.Base()[i];
        ASSERT_EQ(a.date, b.date) << i;
        ASSERT_EQ(a.close, b.close) << i;
        ASSERT_EQ(a.volume, b.volume) << i;
    }
}

TEST_F(CsvExportTest, FailedWriteIsReportedAndKeepsTheOldFileAndTheFlag) {
    CStock stock;
    stock.SetExportOnClose(true);
    CFileResult exported = stock.ExportCsv(home.Path() + "no/such/folder/q.csv");
    EXPECT_EQ(exported.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_NE(exported.message().find("could not be written"), std::string::npos);
    EXPECT_NE(exported.message().find("The old file " + home.Path() + "no/such/folder/q.csv"),
              std::string::npos);
    EXPECT_TRUE(stock.ExportOnClose());

    std::string folder = home.Path() + "locked/";
    WriteText(folder + "q.csv", "old");
    ::chmod(folder.c_str(), 0555);
    {
        // Root writes into read-only folders: for root the refusal comes from the seam.
        std::optional<CFaultyFileSystem> refused;
        if (::geteuid() == 0) refused.emplace(EFileStep::Open, 1, EACCES);
        exported = stock.ExportCsv(folder + "q.csv");
    }
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(exported.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_NE(exported.message().find("cannot create a file in " + home.Path() +
                                      "locked: Permission denied"),
              std::string::npos)
        << exported.message();
    EXPECT_TRUE(stock.ExportOnClose());
    EXPECT_EQ(ReadText(folder + "q.csv"), "old");
}
