#include "IndicatorTable.h"
#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Operators.h"
#include "series/Sources.h"

// Every indicator gives one value per bar on short series, on the bar counts around the
// periods 5, 12, 26 and 30, and on a monthly-like series of 19 bars. Run under ASan these
// also show that no function reads a bar outside the quote array.
namespace {

const std::size_t kBarCounts[] = {0, 1, 2, 3, 5, 6, 12, 13, 19, 26, 27, 30, 31};

} // namespace

TEST(SeriesLength, EveryIndicatorCurveHasOneValuePerBar) {
    for (std::size_t bars : kBarCounts) {
        const std::vector<SQuote> q = RandomWalk(bars, unsigned(bars) + 1);
        for (const SIndicatorEntry& entry : AllIndicators()) {
            const SIndicatorCurves out = entry.run(Columns(q));
            EXPECT_FALSE(out.curves.empty()) << entry.identifier;
            for (const CurvePtr& c : out.curves)
                EXPECT_EQ(c->size(), bars) << entry.identifier << " " << c->name << " " << bars;
        }
    }
}

TEST(SeriesLength, EverySignalSystemHasOneFlagValuePerBar) {
    for (std::size_t bars : kBarCounts) {
        const std::vector<SQuote> q = RandomWalk(bars, unsigned(bars) + 1);
        for (const SSignalEntry& entry : AllSignals()) {
            const std::vector<STradeFlagData> flags = entry.run(Columns(q));
            ASSERT_EQ(flags.size(), 2u);
            for (const STradeFlagData& f : flags)
                EXPECT_EQ(f.values.size(), bars) << entry.identifier << " " << bars;
        }
    }
}

TEST(SeriesLength, OneBarGivesNoFlag) {
    for (const SSignalEntry& entry : AllSignals())
        for (const STradeFlagData& f : entry.run(Columns(RandomWalk(1, 4))))
            EXPECT_TRUE(SameBits(f.values, {0.0f})) << entry.identifier;
}

TEST(SeriesLength, MonthlyLikeSeriesCutsTheLongPeriodsToItsLength) {
    const std::vector<SQuote> q = RandomWalk(19, 19);
    // MA 30 and 60 become the mean of all 19 closes, added in order.
    float s = 0.0f;
    for (const SQuote& b : q) s = s + b.close;
    std::vector<float> mean(19, kInf);
    mean[18] = s / 19.0f;
    const SIndicatorCurves sma = IndicatorFormulas::SMA(Columns(q));
    EXPECT_TRUE(SameBits(sma.curves[2]->values, mean));
    EXPECT_TRUE(SameBits(sma.curves[3]->values, mean));
    // EMA 30: the first close, then nothing (the mean would fall past the last bar).
    std::vector<float> ema(19, kInf);
    ema[0] = q[0].close;
    EXPECT_TRUE(SameBits(IndicatorFormulas::EMA(Columns(q)).curves[2]->values, ema));
    // Bollinger: the middle band at the last bar only, no outer band.
    const SIndicatorCurves bol = IndicatorFormulas::BOL(Columns(q));
    EXPECT_TRUE(SameBits(bol.curves[1]->values, mean));
    EXPECT_TRUE(SameBits(bol.curves[0]->values, std::vector<float>(19, kInf)));
    // 52 weeks on the monthly period: 12 bars plus the one before.
    const SIndicatorCurves wk = IndicatorFormulas::FiftyTwoWeekHighLow(Columns(q), 2, 1);
    float high = q[6].high;
    for (std::size_t j = 7; j <= 18; ++j)
        if (q[j].high > high) high = q[j].high;
    EXPECT_TRUE(SameBits({wk.curves[0]->values[18]}, {high}));
}
