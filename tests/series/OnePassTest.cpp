// The functions that run several chains in one pass against the same functions one at a
// time, on short series where the chains start at different bars, some never start, and
// values are missing.
#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Conditions.h"
#include "series/FlagSeries.h"
#include "series/Operators.h"
#include "series/Sources.h"
#include "series/Windows.h"

using namespace Series;

namespace {

constexpr int kPeriods[] = {0, -3, 1, 2, 5, 9, 30, 60, 100};
constexpr std::size_t kBarCounts[] = {0, 1, 2, 3, 5, 9, 10, 26, 27, 28, 40, 61, 70, 131};

std::vector<SQuote> Bars(std::size_t n) {
    std::vector<SQuote> q;
    uint32_t r = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        r = r * 1103515245u + 12345u;
        const float c = 50.0f + float(r >> 16 & 1023) / 64.0f;
        q.push_back(SQuote{int32_t(i), c, c + 0.5f, c - 0.25f * float(i % 3), c, c,
                           float(r >> 8 & 4095)});
    }
    return q;
}

// The close with a missing value and a NaN among the bars, for the zero reads.
CurvePtr Holey(const CBarColumns& q) {
    CurvePtr x = C(q);
    if (x->size() > 7) x->values[7] = kInvalid;
    if (x->size() > 33) x->values[33] = kNaN;
    return x;
}

struct SCase {
    const char* what;
    std::function<std::vector<CurvePtr>(const CCurve&, const CBarColumns&)> together;
    std::function<CurvePtr(const CCurve&, const CBarColumns&, int)> alone;
};

std::vector<SAveraged> Items(const CCurve& x) {
    std::vector<SAveraged> items;
    for (int n : kPeriods) items.push_back({&x, n});
    return items;
}

} // namespace

TEST(OnePass, SeveralPeriodsGiveWhatEachGivesAlone) {
    const SCase cases[] = {
        {"MA of quotes", [](const CCurve&, const CBarColumns& q) { return MAs(q, kPeriods); },
         [](const CCurve&, const CBarColumns& q, int n) { return MA(q, n); }},
        {"MA", [](const CCurve& x, const CBarColumns&) { return MAs(x, kPeriods); },
         [](const CCurve& x, const CBarColumns&, int n) { return MA(Copy(x), n); }},
        {"EMA", [](const CCurve& x, const CBarColumns&) { return EMAs(x, kPeriods); },
         [](const CCurve& x, const CBarColumns&, int n) { return EMA(Copy(x), n); }},
        {"WMA", [](const CCurve& x, const CBarColumns& q) { return WMAs(x, *V(q), kPeriods); },
         [](const CCurve& x, const CBarColumns& q, int n) { return WMA(Copy(x), V(q), n); }},
        {"SMA m=1", [](const CCurve& x, const CBarColumns&) { return SMAs(Items(x), 1); },
         [](const CCurve& x, const CBarColumns&, int n) { return SMA(Copy(x), n, 1); }},
        {"SMA m=-2", [](const CCurve& x, const CBarColumns&) { return SMAs(Items(x), -2); },
         [](const CCurve& x, const CBarColumns&, int n) { return SMA(Copy(x), n, -2); }},
        {"SUM", [](const CCurve& x, const CBarColumns&) { return SUMs(Items(x)); },
         [](const CCurve& x, const CBarColumns&, int n) { return SUM(Copy(x), n); }},
    };
    for (std::size_t bars : kBarCounts) {
        const std::vector<SQuote> quotes = Bars(bars);
        const CBarColumns q(quotes);
        const CurvePtr x = Holey(q);
        for (const SCase& c : cases) {
            const std::vector<CurvePtr> together = c.together(*x, q);
            ASSERT_EQ(together.size(), std::size(kPeriods));
            for (std::size_t k = 0; k < together.size(); ++k) {
                const CurvePtr alone = c.alone(*x, q, kPeriods[k]);
                SCOPED_TRACE(std::string(c.what) + ", " + std::to_string(bars) + " bars, n " +
                             std::to_string(kPeriods[k]));
                EXPECT_TRUE(SameBits(together[k]->values, alone->values));
                EXPECT_EQ(together[k]->name, alone->name);
                EXPECT_EQ(together[k]->parameter, alone->parameter);
                EXPECT_EQ(together[k]->colour, alone->colour);
            }
        }
    }
}

TEST(OnePass, InputsOfDifferentLengthsRunApart) {
    const CurvePtr shorter = MakeCurve({1, 2, 3, 4, 5, 6}), longer = MakeCurve({1, 2, 3, 4, 5, 6, 7, 8, 9});
    const SAveraged items[] = {{shorter.get(), 3}, {longer.get(), 2}, {longer.get(), 4}};
    const std::vector<CurvePtr> means = MAs(items);
    EXPECT_TRUE(SameBits(means[0]->values, {kInf, kInf, 2, 3, 4, 5}));
    EXPECT_TRUE(SameBits(means[1]->values, MA(Copy(*longer), 2)->values));
    EXPECT_TRUE(SameBits(means[2]->values, MA(Copy(*longer), 4)->values));
}

TEST(OnePass, DifferenceAndSignalGiveTheComposition) {
    struct SPeriods {
        int fast, slow, signal;
    };
    for (SPeriods p : {SPeriods{12, 26, 9}, SPeriods{3, 5, 2}, SPeriods{5, 3, 5}, SPeriods{4, 4, 4},
                       SPeriods{2, 6, 9}, SPeriods{0, 5, 2}, SPeriods{1, 1, 1}}) {
        for (std::size_t bars : kBarCounts) {
            const std::vector<SQuote> quotes = Bars(bars);
            const CurvePtr x = Holey(CBarColumns(quotes));
            auto [difference, signal] = EMADifferenceAndSignal(*x, p.fast, p.slow, p.signal);
            const CurvePtr wantDifference = Sub(EMA(Copy(*x), p.fast), EMA(Copy(*x), p.slow));
            const CurvePtr wantSignal = EMA(Copy(*wantDifference), p.signal);
            SCOPED_TRACE(std::to_string(p.fast) + "," + std::to_string(p.slow) + "," +
                         std::to_string(p.signal) + " on " + std::to_string(bars) + " bars");
            EXPECT_TRUE(SameBits(difference->values, wantDifference->values));
            EXPECT_TRUE(SameBits(signal->values, wantSignal->values));
            EXPECT_EQ(difference->name, wantDifference->name);
            EXPECT_EQ(difference->parameter, wantDifference->parameter);
            EXPECT_EQ(signal->name, wantSignal->name);
            EXPECT_EQ(signal->colour, wantSignal->colour);
        }
    }
}

TEST(OnePass, SmoothingOfASmoothingGivesTheComposition) {
    for (int m : {1, 2, -1, 3, 5})
        for (std::size_t bars : kBarCounts) {
            const std::vector<SQuote> quotes = Bars(bars);
            const CurvePtr x = Holey(CBarColumns(quotes));
            auto [first, second] = SMAAndItsSMA(*x, 3, m);
            const CurvePtr wantFirst = SMA(Copy(*x), 3, m);
            const CurvePtr wantSecond = SMA(Copy(*wantFirst), 3, m);
            SCOPED_TRACE("m " + std::to_string(m) + " on " + std::to_string(bars) + " bars");
            EXPECT_TRUE(SameBits(first->values, wantFirst->values));
            EXPECT_TRUE(SameBits(second->values, wantSecond->values));
            EXPECT_EQ(second->name, wantSecond->name);
            EXPECT_EQ(second->parameter, wantSecond->parameter);
        }
}

TEST(OnePass, CrossingFlagsGiveTheComposition) {
    const CurvePtr fast = MakeCurve({1, 3, 3, 2, kInf, 5, 1, kNaN, 4, 0, 2, 2});
    const CurvePtr slow = MakeCurve({2, 2, 3, 3, 4, 4, kInf, 3, 3, 1, 1, 3});
    const CurvePtr low = MakeCurve({10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    const CurvePtr high = MakeCurve({30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41});
    auto [buy, sell] = CrossingFlags(*fast, *slow, low->values, high->values);
    EXPECT_TRUE(SameBits(buy.values, FlagSeries(CROSS(Copy(*fast), Copy(*slow)), Copy(*low), 1).values));
    EXPECT_TRUE(SameBits(sell.values, FlagSeries(CROSS(Copy(*slow), Copy(*fast)), Copy(*high), 0).values));
    EXPECT_TRUE(SameBits(buy.values, {0, 11, 0, 0, 14, 0, 0, 0, 0, 0, 20, 0}));
    EXPECT_EQ(buy.direction, 1);
    EXPECT_EQ(sell.direction, 0);
    // Of different lengths: the composition's answer, an invalid crossing flags every bar.
    const CurvePtr shorter = MakeCurve({1, 2});
    auto [odd, oddSell] = CrossingFlags(*shorter, *slow, low->values, high->values);
    EXPECT_TRUE(SameBits(odd.values, FlagSeries(CROSS(Copy(*shorter), Copy(*slow)), Copy(*low), 1).values));
}
