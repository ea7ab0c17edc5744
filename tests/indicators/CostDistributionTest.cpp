#include "IndicatorsTestSupport.h"
#include "indicators/CCostDistribution.h"
#include "indicators/CStockPanes.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

SQuote Bar(float low, float high, float volume, float close = 0) {
    SQuote q;
    q.low = low;
    q.high = high;
    q.open = q.close = close;
    q.volume = volume;
    return q;
}

using Record = CCostDistribution::Record;

} // namespace

TEST(CostDistribution, FirstBarSpreadsItsVolumeOverItsRange) {
    const Record r = CCostDistribution::First(Bar(10, 20, 1000));
    for (int b = 0; b < 200; ++b) ASSERT_EQ(r[b], 1000.0f / 10.0f * 0.0001f) << b;
    EXPECT_EQ(r[200], 10.0f);
    EXPECT_EQ(r[201], 20.0f);
}

TEST(CostDistribution, FlatFirstBarFillsEveryBinWithItsScaledVolume) {
    const Record r = CCostDistribution::First(Bar(15, 15, 500));
    for (int b = 0; b < 200; ++b) ASSERT_EQ(r[b], 500.0f * 0.0001f) << b;
    EXPECT_EQ(r[200], 15.0f);
    EXPECT_EQ(r[201], 15.0f);
}

TEST(CostDistribution, WideningOnBothSidesSqueezesOldBinsKeepingEveryKth) {
    // Old range 10..20 with bins 0..199 holding 0..199; the new bar spans 0..40, so the old
    // range occupies bins 50..99 of the new one, k = 200 / 50 = 4.
    Record previous{};
    for (int b = 0; b < 200; ++b) previous[b] = static_cast<float>(b);
    previous[200] = 10;
    previous[201] = 20;
    const Record r = CCostDistribution::Next(previous, Bar(0, 40, 400));
    const float added = 400.0f / 40.0f * 0.0001f; // over all 200 bins
    for (int j = 0; j < 200; ++j) {
        const float old = j >= 50 && j < 100 ? static_cast<float>(4 * (j - 50)) : 0.0f;
        ASSERT_EQ(r[j], old + added) << j;
    }
    EXPECT_EQ(r[200], 0.0f);
    EXPECT_EQ(r[201], 40.0f);
}

TEST(CostDistribution, BarInsideTheRangeAddsToItsBinsOnly) {
    Record previous{};
    previous[200] = 0;
    previous[201] = 100;
    const Record r = CCostDistribution::Next(previous, Bar(25, 50, 250));
    for (int j = 0; j < 200; ++j)
        ASSERT_EQ(r[j], j >= 50 && j < 100 ? 250.0f / 25.0f * 0.0001f : 0.0f) << j;
}

TEST(CostDistribution, FlatLaterBarAddsNothing) {
    Record previous{};
    previous[3] = 7;
    previous[200] = 0;
    previous[201] = 100;
    const Record r = CCostDistribution::Next(previous, Bar(30, 30, 1000));
    EXPECT_EQ(r, previous);
}

TEST(CostDistribution, RangeOfOnePriceCarriesTheRecordOver) {
    const Record first = CCostDistribution::First(Bar(15, 15, 500));
    const Record r = CCostDistribution::Next(first, Bar(15, 15, 900));
    EXPECT_EQ(r, first);
    for (float v : r) EXPECT_TRUE(std::isfinite(v));
}

TEST(CostDistribution, BarWithoutPricesNeitherAddsNorPoisonsTheTable) {
    const float nan = std::nanf("");
    const Record first = CCostDistribution::First(Bar(10, 20, 1000));
    EXPECT_EQ(CCostDistribution::Next(first, Bar(nan, nan, 5)), first);
    const Record unusable = CCostDistribution::First(Bar(nan, nan, 5));
    EXPECT_EQ(CCostDistribution::Next(unusable, Bar(10, 20, 1000)), first);
}

TEST(CostDistribution, OldRangeCollapsedIntoOneBinIsDropped) {
    // 0..1 inside 0..1000 lands in bin 0 alone (a = b = 0): its weights are dropped.
    Record previous{};
    previous.fill(1.0f);
    previous[200] = 0;
    previous[201] = 1;
    const Record r = CCostDistribution::Next(previous, Bar(999, 1000, 0));
    for (int j = 0; j < 200; ++j) ASSERT_EQ(r[j], 0.0f) << j;
}

TEST(CostDistribution, RebuildReplacesTheTableWithOneRecordPerBar) {
    CCostDistribution table;
    const std::vector<SQuote> bars = {Bar(10, 20, 100), Bar(5, 25, 200), Bar(8, 9, 50)};
    table.Rebuild(bars);
    table.Rebuild(bars);
    ASSERT_EQ(table.Size(), 3u);
    EXPECT_EQ(table.At(1), CCostDistribution::Next(table.At(0), bars[1]));
    EXPECT_EQ(table.At(2), CCostDistribution::Next(table.At(1), bars[2]));
    table.Rebuild({});
    EXPECT_TRUE(table.Empty());
}

TEST_F(IndicatorsTest, CostDistributionFollowsTheSeriesBars) {
    CStock stock;
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    Fill(stock, BarsOfCloses({10, 11}));
    panes.RebuildCostDistribution(stock);
    ASSERT_EQ(panes.CostDistribution().Size(), 2u);
    EXPECT_EQ(panes.CostDistribution().At(1)[200], 9.0f);
    EXPECT_EQ(panes.CostDistribution().At(1)[201], 12.0f);
    panes.ClearCostDistribution(stock);
    EXPECT_TRUE(panes.CostDistribution().Empty());
}

namespace {

// A deterministic walk of bars with a few that carry no usable prices or volume.
std::vector<SQuote> CostWalk(std::size_t bars) {
    uint64_t state = 77;
    const auto next = [&state] {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    std::vector<SQuote> q(bars);
    int close = 5000;
    for (std::size_t i = 0; i < bars; ++i) {
        const int open = close;
        close = std::max(100, close + int(next() % 301) - 150);
        q[i].open = open / 100.0f;
        q[i].close = close / 100.0f;
        q[i].high = (std::max(open, close) + int(next() % 101)) / 100.0f;
        q[i].low = std::max(1, std::min(open, close) - int(next() % 101)) / 100.0f;
        q[i].volume = float(next() % 50001);
    }
    q[5].volume = INFINITY;
    q[2000].volume = 0.0f;
    q[77].high = NAN;
    q[1000].low = q[1000].high;
    return q;
}

uint64_t Digest(const Record& r, uint64_t h) {
    const auto* b = reinterpret_cast<const unsigned char*>(r.data());
    for (std::size_t k = 0; k < sizeof(float) * r.size(); ++k) h = (h ^ b[k]) * 0x100000001B3ull;
    return h;
}

} // namespace

TEST(CostDistribution, EveryBarAnswersTheRecordOfTheFullTable) {
    const std::vector<SQuote> bars = CostWalk(300000);
    CCostDistribution table;
    table.Rebuild(bars);
    ASSERT_EQ(table.Size(), bars.size());
    // The digest of all 300,000 records as the table of one record per bar held them.
    uint64_t h = 0xCBF29CE484222325ull;
    for (std::size_t i = 0; i < table.Size(); ++i) h = Digest(table.At(i), h);
    EXPECT_EQ(h, 0xefcdd35fa92b5733ull);
    // Asked out of order, backwards and across checkpoints, the answers stay the same.
    const Record last = table.At(bars.size() - 1);
    for (std::size_t bar : {299999ul, 0ul, 255ul, 256ul, 257ul, 1000ul, 999ul, 78ul, 77ul, 512ul})
        EXPECT_EQ(table.At(bar), [&] {
            Record r = CCostDistribution::First(bars[0]);
            for (std::size_t i = 1; i <= bar; ++i) r = CCostDistribution::Next(r, bars[i]);
            return r;
        }()) << bar;
    EXPECT_EQ(table.At(bars.size() - 1), last);
    EXPECT_LE(table.MemoryBytes(), 16 * bars.size());
}
