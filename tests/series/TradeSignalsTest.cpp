#include "IndicatorTable.h"
#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Operators.h"
#include "series/ParabolicSar.h"
#include "series/Sources.h"

using namespace Series;

namespace {

// The flags that the crossing rule gives FAST and SLOW: buy at the low where FAST rises above
// SLOW after being at or below it, sell at the high for the opposite.
std::vector<float> RuleFlags(const std::vector<float>& fast, const std::vector<float>& slow,
                             const std::vector<SQuote>& q, bool buy) {
    std::vector<float> flags(q.size(), 0.0f);
    for (std::size_t i = 1; i < q.size(); ++i) {
        const float a0 = buy ? fast[i - 1] : slow[i - 1], b0 = buy ? slow[i - 1] : fast[i - 1];
        const float a1 = buy ? fast[i] : slow[i], b1 = buy ? slow[i] : fast[i];
        if (a0 <= b0 && a1 > b1) flags[i] = buy ? q[i].low : q[i].high;
    }
    return flags;
}

std::size_t FlagCount(const std::vector<float>& flags) {
    std::size_t n = 0;
    for (float f : flags) n += f != 0.0f;
    return n;
}

} // namespace

TEST(TradeSignals, EmaCrossingsAroundTheSlowPeriodFollowTheRule) {
    for (std::size_t bars : {5, 6, 12, 13, 26, 27, 30, 31}) {
        const std::vector<SQuote> q = RandomWalk(bars, unsigned(bars));
        const CBarColumns columns(q);
        const CurvePtr fast = EMA(C(columns), 5), slow = EMA(C(columns), 30);
        ASSERT_EQ(fast->size(), bars);
        ASSERT_EQ(slow->size(), bars);
        const std::vector<STradeFlagData> flags = IndicatorFormulas::FLAGEMA(columns);
        EXPECT_TRUE(SameBits(flags[0].values, RuleFlags(fast->values, slow->values, q, true)))
            << bars;
        EXPECT_TRUE(SameBits(flags[1].values, RuleFlags(fast->values, slow->values, q, false)))
            << bars;
        // While the 30-bar average has no value it compares as infinity: never a buy.
        if (bars <= 30) {
            EXPECT_EQ(FlagCount(flags[0].values), 0u) << bars;
        }
    }
}

TEST(TradeSignals, MacdDifferenceLineIsTheDifferenceOnEveryBarCount) {
    for (std::size_t bars : {5, 6, 12, 13, 26, 27, 30, 31}) {
        const std::vector<SQuote> q = RandomWalk(bars, unsigned(bars) + 100);
        const CBarColumns columns(q);
        const CurvePtr e12 = EMA(C(columns), 12), e26 = EMA(C(columns), 26);
        std::vector<float> dif;
        for (std::size_t i = 0; i < bars; ++i) dif.push_back(e12->values[i] - e26->values[i]);
        const SIndicatorCurves macd = IndicatorFormulas::MACD(columns);
        EXPECT_TRUE(SameBits(macd.curves[2]->values, dif)) << bars;
        const CurvePtr dea = EMA(MakeCurve(dif), 9);
        const std::vector<STradeFlagData> flags = IndicatorFormulas::FLAGMACD(columns);
        EXPECT_TRUE(SameBits(flags[0].values, RuleFlags(dif, dea->values, q, true))) << bars;
        EXPECT_TRUE(SameBits(flags[1].values, RuleFlags(dif, dea->values, q, false))) << bars;
    }
}

TEST(TradeSignals, EverySystemFollowsTheCrossingRuleOfItsFastAndSlowSeries) {
    const std::vector<SQuote> q = RandomWalk(400, 42);
    const CBarColumns columns(q);
    const auto check = [&](const char* id, const CCurve& fast, const CCurve& slow,
                           const std::vector<STradeFlagData>& flags) {
        EXPECT_TRUE(SameBits(flags[0].values, RuleFlags(fast.values, slow.values, q, true))) << id;
        EXPECT_TRUE(SameBits(flags[1].values, RuleFlags(fast.values, slow.values, q, false))) << id;
        EXPECT_GT(FlagCount(flags[0].values), 0u) << id;
        EXPECT_GT(FlagCount(flags[1].values), 0u) << id;
    };
    check("FLAGMA", *MA(columns, 5), *MA(columns, 30), IndicatorFormulas::FLAGMA(columns));
    check("FLAGWMA", *WMA(C(columns), V(columns), 5), *WMA(C(columns), V(columns), 30), IndicatorFormulas::FLAGWMA(columns));
    check("FLAGSAR", *C(columns), *SAR(columns, 0.02f, 0.2f), IndicatorFormulas::FLAGSAR(columns));
    const SIndicatorCurves stc = IndicatorFormulas::STC(columns);
    check("FLAGKDJ", *stc.curves[0], *stc.curves[1], IndicatorFormulas::FLAGKDJ(columns));
}

TEST(TradeSignals, EqualThenAboveIsABuyAndTouchingIsNot) {
    // Constant closes of 10: MA 5 and MA 30 are both 10 once valid.
    std::vector<SQuote> q(31, SQuote{0, 10, 11, 9, 10, 10, 100});
    const std::vector<STradeFlagData> flat = IndicatorFormulas::FLAGMA(Columns(q));
    // Bar 4: MA 5 gets its value while MA 30 is still invalid, which compares above it: a
    // sell at the high. Bar 29: MA 30 meets MA 5 without crossing: no flag.
    std::vector<float> sells(31, 0.0f);
    sells[4] = 11;
    EXPECT_TRUE(SameBits(flat[0].values, std::vector<float>(31, 0.0f)));
    EXPECT_TRUE(SameBits(flat[1].values, sells));
    // A jump to 20: MA 5 (12) rises above MA 30 (310/30) after being equal: a buy at the low.
    q.push_back(SQuote{0, 20, 21, 19, 20, 20, 100});
    std::vector<float> buys(32, 0.0f);
    buys[31] = 19;
    EXPECT_TRUE(SameBits(IndicatorFormulas::FLAGMA(Columns(q))[0].values, buys));
}
