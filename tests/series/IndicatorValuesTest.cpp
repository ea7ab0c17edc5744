#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/Sources.h"
#include "series/Windows.h"

using namespace IndicatorFormulas;

namespace {

SQuote Bar(float high, float low, float close, float volume = 100) {
    return SQuote{0, close, high, low, close, close, volume};
}

std::vector<SQuote> Flat(std::size_t bars) {
    return std::vector<SQuote>(bars, Bar(5, 5, 5));
}

// Three rising bars: highs 11..13, lows 9..11, closes 10..12.
const std::vector<SQuote> kRising = {Bar(11, 9, 10), Bar(12, 10, 11), Bar(13, 11, 12)};

} // namespace

TEST(Overlays, AveragesOnFewerBarsThanThePeriodGiveTheMeanOfAllBarsAtTheLast) {
    // 3 bars: ((10 + 11) + 12) / 3 = 11 at bar 2; 4 bars: 46 / 4 = 11.5 at bar 3.
    for (const CurvePtr& c : SMA(Columns(kRising)).curves)
        EXPECT_TRUE(SameBits(c->values, {kInf, kInf, 11}));
    std::vector<SQuote> four = kRising;
    four.push_back(Bar(14, 12, 13));
    for (const CurvePtr& c : SMA(Columns(four)).curves)
        EXPECT_TRUE(SameBits(c->values, {kInf, kInf, kInf, 11.5f}));
}

TEST(Overlays, BollingerOuterBandsStartOneBarAfterTheMiddle) {
    const std::vector<SQuote> q = RandomWalk(21, 5);
    const SIndicatorCurves bol = BOL(Columns(q));
    const CCurve &u = *bol.curves[0], &m = *bol.curves[1], &lo = *bol.curves[2];
    for (std::size_t i = 0; i < 19; ++i) {
        EXPECT_FALSE(std::isfinite(u.values[i]) || std::isfinite(m.values[i]) ||
                     std::isfinite(lo.values[i]));
    }
    EXPECT_TRUE(std::isfinite(m.values[19]));
    EXPECT_FALSE(std::isfinite(u.values[19]) || std::isfinite(lo.values[19]));
    // Bar 20: the middle band plus and minus twice the deviation of that bar.
    const CurvePtr s = Series::STD(Series::C(Columns(q)), 20);
    EXPECT_TRUE(SameBits({u.values[20], lo.values[20]}, {m.values[20] + s->values[20] * 2.0f,
                                                         m.values[20] - s->values[20] * 2.0f}));
    EXPECT_TRUE(SameBits(BOL(Columns(RandomWalk(20, 5))).curves[0]->values, std::vector<float>(20, kInf)));
}

TEST(Overlays, EnvelopeIsFifteenPerCentAroundTheAverageOfTheCloses) {
    const std::vector<SQuote> q = RandomWalk(25, 2);
    const SIndicatorCurves mae = MAE(Columns(q));
    const std::vector<float>& m = mae.curves[0]->values;
    EXPECT_TRUE(SameBits(m, Series::MA(Columns(q), 20)->values));
    for (std::size_t i = 0; i < q.size(); ++i) {
        EXPECT_TRUE(SameBits({mae.curves[1]->values[i], mae.curves[2]->values[i]},
                             {m[i] + m[i] * 0.15f, m[i] + m[i] * -0.15f}));
    }
}

TEST(Overlays, SarOfTwoBars) {
    const SIndicatorCurves sar = SAR(Columns({Bar(12, 9, 10), Bar(13, 10, 11)}));
    EXPECT_TRUE(SameBits(sar.curves[0]->values, {12, 10}));
}

TEST(Overlays, KeltnerMiddleLineIsTheTypicalPriceItself) {
    const SIndicatorCurves kc = KC(Columns(kRising));
    // ((h + l) + c) / 3 per bar.
    EXPECT_TRUE(SameBits(kc.curves[0]->values,
                         {(20.0f + 10.0f) / 3.0f, (22.0f + 11.0f) / 3.0f, (24.0f + 12.0f) / 3.0f}));
    // 3 bars: the averages cover all three; the average range is 2.
    const float mt = (((30.0f / 3.0f) + (33.0f / 3.0f)) + (36.0f / 3.0f)) / 3.0f;
    EXPECT_TRUE(SameBits(kc.curves[1]->values, {kInf, kInf, mt + 2.0f}));
    // The warm-up of the lower band is inf - inf.
    EXPECT_TRUE(SameBits(kc.curves[2]->values, {kNaN, kNaN, mt - 2.0f}));
}

TEST(Overlays, FiftyTwoWeekWindowFollowsThePeriod) {
    struct Case {
        int type, nDays, window;
    } cases[] = {{0, 1, 364}, {1, 1, 52},  {2, 1, 12},  {3, 5, 72},
                 {3, 1, 364}, {3, 400, 1}, {3, 0, 364}, {7, 1, 364}};
    for (const Case& c : cases)
        EXPECT_EQ(FiftyTwoWeekWindow(c.type, c.nDays), c.window) << c.type << "," << c.nDays;
    const SIndicatorCurves wk = FiftyTwoWeekHighLow(Columns(RandomWalk(30, 1)), 3, 5);
    EXPECT_EQ(wk.curves[0]->parameter, "72");
    EXPECT_EQ(wk.curves[1]->parameter, "72");
    // Shorter than the window: running extremes.
    const SIndicatorCurves two =
        FiftyTwoWeekHighLow(Columns({Bar(5, 1, 2), Bar(4, 2, 3), Bar(6, 0.5f, 4)}), 1, 1);
    EXPECT_TRUE(SameBits(two.curves[0]->values, {5, 5, 6}));
    EXPECT_TRUE(SameBits(two.curves[1]->values, {1, 1, 0.5f}));
}

TEST(Oscillators, StochasticOfRisingBars) {
    // RSV = (C - LLV) / (HHV - LLV) * 100: 1/2, 2/3, 3/4 of 100; K and D smooth 3,1.
    const float rsv1 = (11.0f - 9.0f) / (12.0f - 9.0f) * 100.0f;
    const float k1 = (1.0f * rsv1 + 2.0f * 50.0f) / 3.0f;
    const float k2 = (1.0f * 75.0f + 2.0f * k1) / 3.0f;
    const float d1 = (1.0f * k1 + 2.0f * 50.0f) / 3.0f;
    const float d2 = (1.0f * k2 + 2.0f * d1) / 3.0f;
    const SIndicatorCurves stc = STC(Columns(kRising));
    EXPECT_TRUE(SameBits(stc.curves[0]->values, {50, k1, k2}));
    EXPECT_TRUE(SameBits(stc.curves[1]->values, {50, d1, d2}));
}

TEST(Oscillators, StochasticReadsTheUndefinedRsvOfAFlatRangeAsZero) {
    const SIndicatorCurves stc = STC(Columns(Flat(5)));
    EXPECT_TRUE(SameBits(stc.curves[0]->values, std::vector<float>(5, 0.0f)));
    EXPECT_TRUE(SameBits(stc.curves[1]->values, std::vector<float>(5, 0.0f)));
}

TEST(Oscillators, MacdOnThirtyBars) {
    const std::vector<SQuote> q = RandomWalk(30, 11);
    const SIndicatorCurves macd = MACD(Columns(q));
    const std::vector<float>& dif = macd.curves[2]->values;
    EXPECT_TRUE(SameBits({dif[0]}, {0.0f}));
    for (std::size_t i = 1; i <= 25; ++i) EXPECT_FALSE(std::isfinite(dif[i])) << i;
    for (std::size_t i = 26; i < 30; ++i) EXPECT_TRUE(std::isfinite(dif[i])) << i;
    // DEA at bar 9: the mean of DIF 0..8 read as 0 everywhere (0.0 at bar 0, invalid after).
    EXPECT_TRUE(SameBits({macd.curves[1]->values[9]}, {0.0f}));
    for (std::size_t i = 0; i < 30; ++i)
        EXPECT_TRUE(SameBits({macd.curves[0]->values[i]}, {dif[i] - macd.curves[1]->values[i]}));
}

TEST(Oscillators, AdxDirectionalIndexIsSignedAndMeasuresLowsRisingAsDown) {
    // Highs rise by 1, lows by 2 a bar: UP = 1, DN = 2 (today's low minus yesterday's), so the
    // index is negative once the averages are valid.
    std::vector<SQuote> q;
    for (int i = 0; i < 20; ++i) q.push_back(Bar(40.0f + i, 5.0f + 2 * i, 30.0f + i));
    const SIndicatorCurves adx = ADX(Columns(q));
    const std::vector<float>& dx = adx.curves[0]->values;
    for (std::size_t i = 0; i < 14; ++i) EXPECT_FALSE(std::isfinite(dx[i])) << i;
    for (std::size_t i = 14; i < 20; ++i) EXPECT_LT(dx[i], 0.0f) << i;
    EXPECT_TRUE(SameBits({adx.curves[1]->values[0]}, {0.0f}));
}

TEST(Oscillators, RsiOfAConstantSeriesIsInvalidEverywhere) {
    for (const CurvePtr& c : RSI(Columns(Flat(30))).curves)
        for (float v : c->values) EXPECT_FALSE(std::isfinite(v));
}

TEST(Oscillators, RocIsAFractionAndInvalidBeforeItsReference) {
    const SIndicatorCurves roc = ROC(Columns({Bar(11, 9, 10), Bar(12, 10, 11)}));
    for (const CurvePtr& c : roc.curves)
        EXPECT_FALSE(std::isfinite(c->values[0]) || std::isfinite(c->values[1]));
    std::vector<SQuote> q(7, Bar(11, 9, 10));
    q.push_back(Bar(13, 11, 12.5f));
    EXPECT_TRUE(SameBits({ROC(Columns(q)).curves[0]->values[7]}, {(12.5f - 10.0f) / 10.0f}));
}

TEST(Oscillators, ObvStartsWithMinusTheFirstVolume) {
    const SIndicatorCurves obv =
        OBV(Columns({Bar(6, 4, 5, 10), Bar(7, 5, 6, 20), Bar(7, 5, 6, 30), Bar(5, 3, 4, 40)}));
    EXPECT_TRUE(SameBits(obv.curves[0]->values, {-10, 10, 10, -30}));
    // MA 5 cut to 4 bars: (-10 + 10 + 10 - 30) / 4.
    EXPECT_TRUE(SameBits(obv.curves[1]->values, {kInf, kInf, kInf, -5}));
}

TEST(Oscillators, MoneyFlowIndexOfThreeBars) {
    // Typical prices 10, 11, 10.5, money flows 1000, 2200, 1050. Bar 0 compares with an invalid
    // reference, which is higher: its flow counts as negative.
    const SIndicatorCurves mfi =
        MFI(Columns({Bar(11, 9, 10, 100), Bar(12, 10, 11, 200), Bar(11.5f, 9.5f, 10.5f, 100)}));
    const std::vector<float> want = {100.0f - 100.0f / (0.0f / 1000.0f + 1.0f),
                                     100.0f - 100.0f / (2200.0f / 1000.0f + 1.0f),
                                     100.0f - 100.0f / (2200.0f / 2050.0f + 1.0f)};
    for (const CurvePtr& c : mfi.curves) EXPECT_TRUE(SameBits(c->values, want));
}

TEST(Oscillators, CciAveragesTheDeviationAgainstTheCurrentMean) {
    const std::vector<SQuote> q = {Bar(11, 9, 10), Bar(12, 10, 11), Bar(14, 11, 12), Bar(13, 9, 11),
                                   Bar(15, 12, 14)};
    float t[5], s = 0.0f;
    for (int i = 0; i < 5; ++i) {
        t[i] = ((q[i].high + q[i].low) + q[i].close) / 3.0f;
        s = s + t[i];
    }
    const float m = s / 5.0f;
    // |T - M| is invalid (read as 0) where M is; only bar 4 adds to the deviation.
    const float a = ((((0.0f + 0.0f) + 0.0f) + 0.0f) + std::fabs(t[4] - m)) / 5.0f;
    const std::vector<float> cci5 = CCI(Columns(q)).curves[0]->values;
    EXPECT_TRUE(SameBits({cci5[4]}, {(t[4] - m) / (a * 0.015f)}));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(std::isfinite(cci5[i]));
}

TEST(Oscillators, VaoIsInvalidOnlyWhereTheBarClosesAtItsHigh) {
    const SIndicatorCurves vao = VAO(Columns({Bar(11, 9, 10.5f), Bar(12, 10, 12), Bar(11, 9, 10)}));
    const std::vector<float>& v = vao.curves[0]->values;
    EXPECT_TRUE(
        SameBits({v[0]}, {((10.5f - 9.0f) - (11.0f - 10.5f)) / ((11.0f - 10.5f) * 100.0f)}));
    EXPECT_FALSE(std::isfinite(v[1]));
    EXPECT_TRUE(SameBits({v[2]}, {0.0f}));
}

TEST(Oscillators, WilliamsPercentRIsNegative) {
    const SIndicatorCurves wr = WR(Columns(kRising));
    const std::vector<float> want = {-50.0f, (12.0f - 11.0f) / (12.0f - 9.0f) * 100.0f * -1.0f,
                                     -25.0f};
    for (const CurvePtr& c : wr.curves) EXPECT_TRUE(SameBits(c->values, want));
}

TEST(Oscillators, MomentumAndVolatilityLookTenBarsBack) {
    std::vector<SQuote> q;
    for (int i = 0; i < 12; ++i) q.push_back(Bar(20.0f + i, 18.0f + i * 0.5f, 19.0f + i));
    const std::vector<float> mtm = MTM(Columns(q)).curves[0]->values;
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(std::isfinite(mtm[i]));
    EXPECT_TRUE(SameBits({mtm[10], mtm[11]}, {29.0f - 19.0f, 30.0f - 20.0f}));
    const std::vector<float> vola = VOLA(Columns(q)).curves[0]->values;
    EXPECT_EQ(vola.size(), 12u);
    // The earlier range averages to 0 at bar 10 (its inputs are invalid, read as 0).
    EXPECT_FALSE(std::isfinite(vola[10]));
    EXPECT_TRUE(std::isfinite(vola[11]));
}
