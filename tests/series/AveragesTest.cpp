#include "series/Averages.h"
#include "SeriesTestSupport.h"
#include "series/Sources.h"

using namespace Series;

TEST(MA, CarriesTheAverageFromBarToBar) {
    // Closes 1..5, n=3: 6/3 = 2, then (2*3 - 1 + 4)/3 = 3, (3*3 - 2 + 5)/3 = 4.
    EXPECT_TRUE(SameBits(MA(ColumnsFromCloses({1, 2, 3, 4, 5}), 3)->values, {kInf, kInf, 2, 3, 4}));
    // Inexact closes: the carried update, not a re-summed window.
    const float first = ((0.1f + 0.2f) + 0.3f) / 3.0f;
    const float second = (first * 3.0f - 0.1f + 0.4f) / 3.0f;
    const float third = (second * 3.0f - 0.2f + 0.7f) / 3.0f;
    EXPECT_TRUE(SameBits(MA(MakeCurve({0.1f, 0.2f, 0.3f, 0.4f, 0.7f}), 3)->values,
                         {kInf, kInf, first, second, third}));
    EXPECT_TRUE(SameBits(MA(ColumnsFromCloses({0.1f, 0.2f, 0.3f, 0.4f, 0.7f}), 3)->values,
                         {kInf, kInf, first, second, third}));
}

TEST(MA, ReadsInvalidInputsAsZero) {
    // Zero read: s = 0 + 0 -> 0 at bar 1; (0*2 - 0 + 0)/2 = 0; (0 - 0 + 6)/2 = 3;
    // (3*2 - 0 + 9)/2 = 7.5.
    EXPECT_TRUE(
        SameBits(MA(MakeCurve({kInf, kInf, kInf, 6, 9}), 2)->values, {kInf, 0, 0, 3, 7.5f}));
}

TEST(MA, CutsThePeriodToTheBarCountAndGivesNoValueWithoutAWindow) {
    EXPECT_TRUE(SameBits(MA(ColumnsFromCloses({1, 2, 3}), 5)->values, {kInf, kInf, 2}));
    EXPECT_TRUE(SameBits(MA(MakeCurve({1, 2, 3}), 0)->values, {kInf, kInf, kInf}));
    EXPECT_TRUE(SameBits(MA(MakeCurve({1, 2, 3}), -4)->values, {kInf, kInf, kInf}));
    EXPECT_TRUE(MA(ColumnsFromCloses({}), 5)->values.empty());
    EXPECT_TRUE(MA(MakeCurve({}), 5)->values.empty());
}

TEST(SMA, SmoothsWithWeightMOutOfN) {
    // (1*6 + 2*3)/3 = 4, (1*9 + 2*4)/3 = 17/3.
    EXPECT_TRUE(SameBits(SMA(MakeCurve({3, 6, 9}), 3, 1)->values, {3, 4, 17.0f / 3.0f}));
    // Zero read of the invalid first bar: y0 = 0, y1 = (1*3 + 2*0)/3 = 1.
    EXPECT_TRUE(SameBits(SMA(MakeCurve({kInf, 3}), 3, 1)->values, {0, 1}));
    // n is a weight, not a window: not cut to 2 bars. (1*6 + 9*3)/10.
    EXPECT_TRUE(
        SameBits(SMA(MakeCurve({3, 6}), 10, -1)->values, {3, (1.0f * 6.0f + 9.0f * 3.0f) / 10.0f}));
    EXPECT_TRUE(SMA(MakeCurve({}), 3, 1)->values.empty());
}

TEST(SMA, HandsItsInputBackWhenTheWeightReachesThePeriod) {
    for (int m : {3, 4, -3}) {
        auto x = MakeCurve({1, 2}, "X", "p");
        CCurve* input = x.get();
        CurvePtr y = SMA(std::move(x), 3, m);
        EXPECT_EQ(y.get(), input);
        EXPECT_EQ(y->name, "X");
        EXPECT_EQ(y->parameter, "p");
    }
}

TEST(EMA, SeedsWithTheFirstValueThenTheMeanAndSkipsInputN) {
    // Mean of 1,2,3 at bar 3, then (2*5 + 2*2)/4 = 3.5; the input 4 is never read.
    EXPECT_TRUE(SameBits(EMA(MakeCurve({1, 2, 3, 4, 5}), 3)->values, {1, kInf, kInf, 2, 3.5f}));
    EXPECT_TRUE(SameBits(EMA(MakeCurve({1, 2, 3, 99, 5}), 3)->values, {1, kInf, kInf, 2, 3.5f}));
    // Zero read: y0 = 0, mean (0 + 2)/2 = 1 at bar 2, (2*6 + 1*1)/3 = 13/3.
    EXPECT_TRUE(SameBits(EMA(MakeCurve({kInf, 2, 4, 6}), 2)->values, {0, kInf, 1, 13.0f / 3.0f}));
}

TEST(EMA, GivesOneValuePerBarWhenThePeriodCoversTheSeries) {
    struct Case {
        std::vector<float> x;
        int n;
        std::vector<float> want;
    } cases[] = {
        {{1, 2, 3}, 2, {1, kInf, 1.5f}}, // the mean of 1, 2 still falls on the last bar
        {{1, 2, 3}, 3, {1, kInf, kInf}}, // the mean would fall past the last bar
        {{1, 2, 3}, 30, {1, kInf, kInf}}, {{4}, 12, {4}}, {{}, 12, {}}, {{1, 2}, 0, {kInf, kInf}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameBits(EMA(MakeCurve(c.x), c.n)->values, c.want)) << c.n;
}

TEST(WMA, WeighsByTheSecondSeries) {
    // n=2: p=1*1+2*1=3, q=2 -> 1.5; p=3-1+3*2=8, q=2-1+2=3 -> 8/3; p=8-2+0=6, q=3-1+0=2 -> 3.
    EXPECT_TRUE(SameBits(WMA(MakeCurve({1, 2, 3, 4}), MakeCurve({1, 1, 2, 0}), 2)->values,
                         {kInf, 1.5f, 8.0f / 3.0f, 3}));
}

TEST(WMA, IsInvalidWhereTheWeightsSumToZero) {
    // Bar 1 holds 0/0 as computed, bar 2 the invalid value, bar 3 (0 - 0 + 4*1)/(0 - 0 + 1).
    auto y = WMA(MakeCurve({1, 2, 3, 4}), MakeCurve({0, 0, 0, 1}), 2);
    EXPECT_TRUE(SameBits(y->values, {kInf, kNaN, kInf, 4}));
    EXPECT_TRUE(SameBits(WMA(MakeCurve({1, 2}), MakeCurve({1, 3}), 5)->values,
                         {kInf, (1.0f + 6.0f) / 4.0f}));
    EXPECT_TRUE(WMA(MakeCurve({}), MakeCurve({}), 5)->values.empty());
}
