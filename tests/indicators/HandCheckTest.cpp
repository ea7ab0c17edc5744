#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/PeriodChoice.h"

// Values worked out by hand in 32-bit floats (every operation rounded to float, in the order
// of the formula) from the newest 401 daily quotes of tests/data/ttrc.csv, 31 May 2005 to
// 29 December 2006; bar 0 is 31 May 2005.
namespace {

class HandCheckTest : public IndicatorsTest {
protected:
    HandCheckTest() {
        if (!LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr))
            throw std::runtime_error("ttrc.csv did not load");
    }

    const CCurve& Curve(int pane, std::size_t index) {
        return *PaneOf(stock, pane).Curves().at(index);
    }

    CStock stock;
};

TEST_F(HandCheckTest, FirstFiveDayAverageIsTheMeanOfFiveCloses) {
    ASSERT_EQ(stock.Display().size(), 401u);
    BuildIndicator(stock, "SMA", 0, false, true);
    const CCurve& ma5 = Curve(0, 0);
    ASSERT_EQ(ma5.name + "(" + ma5.parameter + ")", "MA(5)");
    // (39.17 + 39.41 + 39.65 + 39.59 + 39.92) / 5
    EXPECT_EQ(ma5.RawAt(3), kInvalid);
    EXPECT_EQ(ma5.RawAt(4), 39.548000335693359375f);
    // Carried on: (39.548 * 5 - 39.17 + 39.80) / 5
    EXPECT_EQ(ma5.RawAt(5), 39.674003601074219f);
}

TEST_F(HandCheckTest, MacdBarsFollowTheirAverages) {
    BuildIndicator(stock, "MACD", 1, false, true);
    const CCurve& hist = Curve(1, 0);
    const CCurve& dea = Curve(1, 1);
    const CCurve& dif = Curve(1, 2);
    // Bar 26: EMA12 39.1663818, EMA26 39.3019257 (the mean of the first 26 closes).
    EXPECT_EQ(dif.RawAt(26), -0.1355438232421875f);
    EXPECT_EQ(dea.RawAt(26), -0.027108764275908470f);
    EXPECT_EQ(hist.RawAt(26), -0.10843505710363388f);
    // Bar 40: EMA12 39.8753128, EMA26 39.6851616.
    EXPECT_EQ(dif.RawAt(40), 0.19015121459960938f);
    EXPECT_EQ(dea.RawAt(40), 0.11870281398296356f);
    EXPECT_EQ(hist.RawAt(40), 0.071448400616645813f);
}

TEST_F(HandCheckTest, RsiBarsAreSmoothedGainsOverGainsAndLosses) {
    BuildIndicator(stock, "RSI", 1, false, true);
    const CCurve& rsi9 = Curve(1, 0);
    ASSERT_EQ(rsi9.parameter, "9");
    // Bar 1 only rose (gain 0.24 smoothed to 0.0266669), bar 0 counts as no change.
    EXPECT_EQ(rsi9.RawAt(1), 100.0f);
    // Bar 9: gains 0.0664796, losses 0.0447415.
    EXPECT_EQ(rsi9.RawAt(9), 59.772483825683594f);
    // Bar 30: gains 0.1717594, losses 0.1473811.
    EXPECT_EQ(rsi9.RawAt(30), 53.81936264038086f);
}

TEST_F(HandCheckTest, AverageCrossingFlagsSitAtTheBarsLowAndHigh) {
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    auto flags = FlagsOf(PaneOf(stock, 0));
    ASSERT_EQ(flags.size(), 2u);
    auto flagged = [](const CTradeFlag& flag) {
        std::vector<std::size_t> bars;
        for (std::size_t i = 0; i < flag.values.size(); ++i)
            if (flag.values[i] != 0.0f) bars.push_back(i);
        return bars;
    };
    // MA(5) first above MA(30) on 12 July 2005; the sell on bar 4 is the end of the fast
    // average's warm-up, when the slow one is still invalid (infinitely high).
    const std::vector<std::size_t> buys = flagged(*flags[0]);
    const std::vector<std::size_t> sells = flagged(*flags[1]);
    ASSERT_GE(buys.size(), 5u);
    ASSERT_GE(sells.size(), 5u);
    EXPECT_EQ(std::vector<std::size_t>(buys.begin(), buys.begin() + 5),
              (std::vector<std::size_t>{29, 87, 112, 170, 270}));
    EXPECT_EQ(std::vector<std::size_t>(sells.begin(), sells.begin() + 5),
              (std::vector<std::size_t>{4, 63, 91, 157, 244}));
    EXPECT_EQ(flags[0]->values[29], 39.35f);
    EXPECT_EQ(flags[1]->values[4], 40.07f);
    EXPECT_EQ(flags[1]->values[63], 40.34f);
}

struct SBarCase {
    const char* identifier;
    std::size_t curve;
    std::size_t bar;
    float value;
    const char* working;
};

class HandCheckedBarTest : public HandCheckTest, public ::testing::WithParamInterface<SBarCase> {};

TEST_P(HandCheckedBarTest, BarHasTheHandWorkedValue) {
    const SBarCase& c = GetParam();
    ASSERT_TRUE(BuildIndicator(stock, c.identifier, 1, false, true));
    EXPECT_EQ(Curve(1, c.curve).RawAt(c.bar), c.value) << c.working;
}

INSTANTIATE_TEST_SUITE_P(
    Ttrc, HandCheckedBarTest,
    ::testing::Values(
        SBarCase{"OBV", 0, 0, -7478564.0f, "the first bar has no reference: minus its volume"},
        SBarCase{"OBV", 0, 1, -802762.0f, "close rose: + 6675802"},
        SBarCase{"OBV", 0, 3, -2032459.0f, "close fell: - 5912580"},
        SBarCase{"ROC", 0, 7, 0.013530829921364784f, "(39.70 - 39.17) / 39.17"},
        SBarCase{"WR", 0, 12, -59.70170974731445f, "bars 2..12: HH 40.31, LL 38.97, close 39.51"},
        SBarCase{"ATR", 0, 6, 0.4728562533855438f,
                 "true ranges of bars 1..6 over 7; bar 0's is invalid and read as 0"},
        SBarCase{"VAO", 0, 0, 7.428513271179327e-08f,
                 "((39.17 - 38.75) - (39.44 - 39.17)) / ((39.44 - 39.17) * 7478564)"}));

} // namespace
