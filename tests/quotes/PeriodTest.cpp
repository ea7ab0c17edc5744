#include "QuotesTestSupport.h"
#include "quotes/CStock.h"
#include "quotes/PeriodBars.h"
#include "quotes/QuoteFileFormat.h"

namespace {
std::vector<SQuote> DailyOn(const std::vector<int32_t>& dates) {
    std::vector<SQuote> quotes;
    float k = 1;
    for (int32_t date : dates) {
        quotes.push_back(Quote(date, 10 * k, 10 * k + 5, 10 * k - 5, 10 * k + 1, 100 * k, k));
        k += 1;
    }
    return quotes;
}

void ExpectBar(const SQuote& bar, int32_t date, float open, float high, float low, float close,
               float volume) {
    EXPECT_EQ(bar.date, date);
    EXPECT_EQ(bar.open, open);
    EXPECT_EQ(bar.high, high);
    EXPECT_EQ(bar.low, low);
    EXPECT_EQ(bar.close, close);
    EXPECT_EQ(bar.volume, volume);
}

class PeriodTest : public QuotesTest {
protected:
    PeriodTest() { WriteSetup(); }

    // A series whose base holds `daily`, with a recording pane host.
    std::unique_ptr<CStock> StockWith(const std::vector<SQuote>& daily) {
        auto stock = std::make_unique<CStock>();
        stock->RestoreSeries(daily, daily);
        stock->SetPaneHost(std::make_unique<CRecordingPaneHost>(calls));
        return stock;
    }

    std::vector<std::string> calls;
};
} // namespace

TEST(PeriodBarsTest, WeekIsARunOfRisingWeekdays) {
    // Mon, Tue, Wed, Mon, Fri
    auto daily = DailyOn({Day(2005, 12, 5), Day(2005, 12, 6), Day(2005, 12, 7), Day(2005, 12, 12),
                          Day(2005, 12, 16)});
    auto bars = BuildWeekBars(daily);
    ASSERT_EQ(bars.size(), 2u);
    ExpectBar(bars[0], Day(2005, 12, 5), 10, 35, 5, 31, 600);
    ExpectBar(bars[1], Day(2005, 12, 12), 40, 55, 35, 51, 900);
    EXPECT_EQ(bars[1].adjClose, 5.0f);
}

TEST(PeriodBarsTest, WeekCompareOnlyWeekdayNumbers) {
    // Friday 3rd then Monday 13th: two bars; Monday 6th then Wednesday 15th: one.
    EXPECT_EQ(BuildWeekBars(DailyOn({Day(2004, 12, 3), Day(2004, 12, 13)})).size(), 2u);
    EXPECT_EQ(BuildWeekBars(DailyOn({Day(2004, 12, 6), Day(2004, 12, 15)})).size(), 1u);
    // The same weekday twice starts a new week.
    EXPECT_EQ(BuildWeekBars(DailyOn({Day(2004, 12, 6), Day(2004, 12, 13)})).size(), 2u);
}

TEST(PeriodBarsTest, MonthComparesOnlyTheMonthNumber) {
    auto bars = BuildMonthBars(DailyOn({Day(2004, 1, 31), Day(2005, 1, 15)}));
    ASSERT_EQ(bars.size(), 1u);
    ExpectBar(bars[0], Day(2004, 1, 31), 10, 25, 5, 21, 300);
    auto split = BuildMonthBars(
        DailyOn({Day(2004, 1, 30), Day(2004, 2, 2), Day(2004, 2, 27), Day(2004, 3, 1)}));
    ASSERT_EQ(split.size(), 3u);
    ExpectBar(split[1], Day(2004, 2, 2), 20, 35, 15, 31, 500);
}

TEST(PeriodBarsTest, NDaysCutsGroupsFromTheOldestQuote) {
    std::vector<int32_t> dates;
    for (int d = 1; d <= 7; ++d) dates.push_back(Day(2005, 3, d));
    auto daily = DailyOn(dates);
    auto bars = BuildNDayBars(daily, 3);
    ASSERT_EQ(bars.size(), 3u);
    ExpectBar(bars[0], Day(2005, 3, 1), 10, 35, 5, 31, 600);
    ExpectBar(bars[1], Day(2005, 3, 4), 40, 65, 35, 61, 1500);
    ExpectBar(bars[2], Day(2005, 3, 7), 70, 75, 65, 71, 700);
    EXPECT_TRUE(BuildNDayBars(daily, 0).empty());
    EXPECT_EQ(BuildNDayBars(daily, 100).size(), 1u);
}

TEST(PeriodBarsTest, EmptySeriesGivesNoBars) {
    EXPECT_TRUE(BuildWeekBars({}).empty());
    EXPECT_TRUE(BuildMonthBars({}).empty());
    EXPECT_TRUE(BuildNDayBars({}, 3).empty());
}

TEST_F(PeriodTest, MakeWithoutForceReplaysIndicatorsAndCurrentPeriodChangesNothing) {
    auto stock = StockWith(DailyOn({Day(2005, 12, 5), Day(2005, 12, 6), Day(2005, 12, 12)}));
    stock->MakeWeekLine(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"ClearCostDistribution", "ClearCurveData",
                                               "RebuildCostDistribution", "ReplayIndicators",
                                               "RebindPanes"}));
    EXPECT_EQ(stock->Period(), CStock::kPeriodWeek);
    ASSERT_EQ(stock->Display().size(), 2u);
    EXPECT_EQ(stock->WindowFirst(), 0);
    EXPECT_EQ(stock->WindowEnd(), 2);
    calls.clear();
    stock->MakeWeekLine(false);
    EXPECT_TRUE(calls.empty());
    stock->MakeWeekLine(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"ClearCostDistribution", "ClearCurveData",
                                               "RebuildCostDistribution", "RebindPanes"}));
    calls.clear();
    stock->MakeDayLine(false);
    EXPECT_EQ(stock->Display().size(), 3u);
    EXPECT_EQ(stock->Period(), CStock::kPeriodDay);
}

TEST_F(PeriodTest, NDayLineFollowsN) {
    std::vector<int32_t> dates;
    for (int d = 1; d <= 7; ++d) dates.push_back(Day(2005, 3, d));
    auto stock = StockWith(DailyOn(dates));
    stock->SetNDays(3);
    stock->MakeNDayLine(false);
    EXPECT_EQ(stock->Display().size(), 3u);
    EXPECT_EQ(stock->Period(), CStock::kPeriodNDays);
    calls.clear();
    stock->MakeNDayLine(false); // always rebuilds
    EXPECT_EQ(calls.size(), 5u);

    stock->SetNDays(0); // refused
    stock->SetNDays(-4);
    EXPECT_EQ(stock->NDays(), 3);
    stock->SetNDays(1);
    stock->MakeNDayLine(false); // is the day line
    EXPECT_EQ(stock->Period(), CStock::kPeriodDay);
    EXPECT_EQ(stock->Display().size(), 7u);
    stock->MakeNDayLine(true); // one-quote groups, still the N-day period
    EXPECT_EQ(stock->Period(), CStock::kPeriodNDays);
    EXPECT_EQ(stock->Display().size(), 7u);

    ASSERT_TRUE(stock->RestorePeriod(CStock::kPeriodNDays, 0));
    calls.clear();
    stock->MakeNDayLine(true);
    stock->RebuildPeriod();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(stock->Display().size(), 7u);
}

TEST_F(PeriodTest, ReloadInMonthModeShowsMonthlyBarsAgain) {
    std::string path = home.Path() + "q.csv";
    WriteText(path, std::string(kCsvQuoteHeader) +
                        "\n2-Feb-04,2,3,1,2.5,200,2.5\n30-Jan-04,2,3,1,2.5,200,2.5\n"
                        "29-Jan-04,2,3,1,2.5,200,2.5\n");
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    stock.MakeMonthLine(false);
    ASSERT_EQ(stock.Display().size(), 2u);
    EXPECT_TRUE(stock.ReloadQuoteFile(path, true, true));
    EXPECT_EQ(stock.Period(), CStock::kPeriodMonth);
    ASSERT_EQ(stock.Display().size(), 2u);
    EXPECT_EQ(stock.Display()[0].volume, 400.0f);
    EXPECT_EQ(stock.Base().size(), 3u);
}

TEST_F(PeriodTest, LoadClearsRebuildsForcedThenReplays) {
    std::string path = home.Path() + "q.csv";
    WriteText(path, std::string(kCsvQuoteHeader) + "\n2-Feb-04,2,3,1,2.5,200,2.5\n");
    CStock stock;
    stock.SetPaneHost(std::make_unique<CRecordingPaneHost>(calls));
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    EXPECT_EQ(calls, (std::vector<std::string>{"ClearCostDistribution", "ClearCurveData",
                                               "ClearCostDistribution", "ClearCurveData",
                                               "RebuildCostDistribution", "RebindPanes",
                                               "ReplayIndicators"}));
}
