#include "QuotesTestSupport.h"
#include "quotes/CStock.h"
#include "quotes/CTickerQuoteReader.h"
#include "quotes/QuoteFileFormat.h"

namespace {
class TickerReaderTest : public QuotesTest {};

const std::string kTickerFile = std::string(kTickerQuoteHeader) +
                                "\n"
                                "ABC,D,20051205,000000,10.5,11.25,10,11,12345,0\n"
                                "\n"
                                "ABC,D,20051206,000000,11,12,10.5,11.5,,0\r\n"
                                "ABC,D,20051332,000000,11,12,10.5,11.5,1,0\n"
                                "ABC,D,2005127,000000,11,12,10.5,11.5,1,0\n"
                                "ABC,D,20380120,000000,11,12,10.5,11.5,1,0\n"
                                "ABC,D,20051207,000000,null,12,10.5,11.5,1,0\n"
                                "ABC,D,20051208,000000,12,13,11.5,12.5,300,0";
} // namespace

TEST_F(TickerReaderTest, LoadsQuotesOldestFirstAndNamesTheSymbolAfterTheFile) {
    std::string path = home.Path() + "Data/NYSE/ABC.txt";
    WriteText(path, kTickerFile);
    WriteSetup();
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    EXPECT_EQ(stock.SourceFormat(), CStock::kSourceTickerList);
    EXPECT_EQ(stock.SymbolName(), "ABC");
    ASSERT_EQ(stock.Base().size(), 3u);
    const SQuote& first = stock.Base()[0];
    EXPECT_EQ(first.date, Day(2005, 12, 5));
    EXPECT_EQ(first.open, 10.5f);
    EXPECT_EQ(first.high, 11.25f);
    EXPECT_EQ(first.low, 10.0f);
    EXPECT_EQ(first.close, 11.0f);
    EXPECT_EQ(first.volume, 12345.0f);
    EXPECT_EQ(stock.Base()[1].date, Day(2005, 12, 6));
    EXPECT_EQ(stock.Base()[1].volume, 0.0f);
    EXPECT_EQ(stock.Base()[2].date, Day(2005, 12, 8));
    EXPECT_EQ(stock.Display().size(), 3u);
    const SQuoteReadStats& stats = stock.LastReadStats();
    EXPECT_EQ(stats.badDateLines, 2u);
    EXPECT_EQ(stats.dateOutOfRangeLines, 1u);
    EXPECT_EQ(stats.badNumberLines, 1u);
    EXPECT_EQ(stats.shortLines, 1u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(TickerReaderTest, HeaderIsNotCheckedAndHasNoLimit) {
    std::string path = home.Path() + "x.txt";
    std::string text = "anything at all\n";
    for (int i = 0; i < 500; ++i) text += "T,D,20050101,0,1,2,0.5,1.5,10,0\n";
    WriteText(path, text);
    WriteSetup();
    CStock stock;
    stock.ClearSeries(true, true);
    ASSERT_TRUE(stock.ReadTickerQuotes(path));
    EXPECT_EQ(stock.Base().size(), 500u);
    EXPECT_EQ(stock.WindowEnd(), 500);
}

TEST_F(TickerReaderTest, EmptyFileGivesFalse) {
    std::string path = home.Path() + "x.txt";
    WriteText(path, "");
    WriteSetup();
    CStock stock;
    EXPECT_FALSE(stock.ReadTickerQuotes(path));
    EXPECT_EQ(stock.SymbolName(), "NoName");
}

TEST(TickerSymbolTest, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(CTickerQuoteReader::SymbolOfPath("/a/b.c/MSFT.txt"), "MSFT");
    EXPECT_EQ(CTickerQuoteReader::SymbolOfPath("IBM.csv"), "IBM");
    EXPECT_EQ(CTickerQuoteReader::SymbolOfPath("/data/.txt"), ".txt");
}
