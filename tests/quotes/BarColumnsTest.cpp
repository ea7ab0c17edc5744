#include "QuotesTestSupport.h"
#include "quotes/CBarColumns.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"

namespace {
class BarColumnsTest : public QuotesTest {
protected:
    BarColumnsTest() { WriteSetup(); }
};

// The columns hold the display series' fields bar for bar.
::testing::AssertionResult ColumnsFollowDisplay(const CStock& stock) {
    const std::vector<SQuote>& bars = stock.Display();
    const CBarColumns& columns = stock.DisplayColumns();
    if (columns.size() != bars.size())
        return ::testing::AssertionFailure()
               << columns.size() << " column values for " << bars.size() << " bars";
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const SQuote& bar = bars[i];
        if (columns.Open()[i] != bar.open || columns.High()[i] != bar.high ||
            columns.Low()[i] != bar.low || columns.Close()[i] != bar.close ||
            columns.Volume()[i] != bar.volume)
            return ::testing::AssertionFailure() << "bar " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}
} // namespace

TEST(BarColumns, HoldEveryFieldInBarOrder) {
    const std::vector<SQuote> bars = {Quote(1, 1, 2, 0.5f, 1.5f, 100), Quote(2, 3, 4, 2.5f, 3.5f, 2e9f)};
    const CBarColumns columns(bars);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns.Open(), (std::vector<float>{1, 3}));
    EXPECT_EQ(columns.High(), (std::vector<float>{2, 4}));
    EXPECT_EQ(columns.Low(), (std::vector<float>{0.5f, 2.5f}));
    EXPECT_EQ(columns.Close(), (std::vector<float>{1.5f, 3.5f}));
    EXPECT_EQ(columns.Volume(), (std::vector<float>{100, 2e9f}));
    EXPECT_TRUE(CBarColumns().empty());
}

TEST_F(BarColumnsTest, FollowTheDisplaySeriesThroughEveryChange) {
    CStock stock;
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "placeholder";
    ASSERT_TRUE(stock.LoadQuoteFile(ZS_TEST_DATA_DIR "/ttrc.csv"));
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "load";
    stock.MakeWeekLine(false);
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "week";
    stock.MakeMonthLine(false);
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "month";
    stock.MakeNDayLine(false);
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "n days";
    stock.MakeDayLine(false);
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "day";
    EXPECT_GT(stock.DisplayColumns().size(), 1u);
    stock.RestoreSeries({Quote(5, 1, 2, 0, 1, 7)}, {Quote(5, 1, 2, 0, 1, 7)});
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "restore";
    stock.ClearSeries(true, true);
    EXPECT_TRUE(ColumnsFollowDisplay(stock)) << "clear";
}

TEST_F(BarColumnsTest, FollowATickerListFile) {
    const std::string path = home.Path() + "Data/NYSE/ABC.txt";
    WriteText(path, std::string(kTickerQuoteHeader) +
                        "\nABC,D,20051205,000000,10.5,11.25,10,11,12345,0\n"
                        "ABC,D,20051206,000000,11,12,10.5,11.5,20,0\n");
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    ASSERT_EQ(stock.DisplayColumns().size(), 2u);
    EXPECT_TRUE(ColumnsFollowDisplay(stock));
    EXPECT_EQ(stock.DisplayColumns().Volume()[0], 12345.0f);
}
