#include "SeriesTestSupport.h"
#include "series/ParabolicSar.h"

using namespace Series;

namespace {

SQuote Bar(float high, float low, float close) {
    return SQuote{0, close, high, low, close, close, 1};
}

// SAR as defined, rescanning the k bars of the trend for every new extreme point.
std::vector<float> RescannedSar(const std::vector<SQuote>& q, float step, float limit) {
    const std::size_t n = q.size();
    if (n == 0) return {};
    if (n == 1) return {q[0].close};
    std::vector<float> sar;
    bool up = q[1].close >= q[0].close;
    sar.push_back(q[0].high);
    float ep;
    if (up) {
        sar.push_back(q[1].low > q[0].low ? q[1].low : q[0].low);
        ep = q[1].high > q[0].high ? q[1].high : q[0].high;
    } else {
        sar.push_back(q[1].high < q[0].high ? q[1].high : q[0].high);
        ep = q[1].low < q[0].low ? q[1].low : q[0].low;
    }
    float af = step;
    std::size_t k = 1;
    bool same = false;
    for (std::size_t i = 2; i < n; ++i) {
        const float prev = sar[i - 1];
        if (k == 1)
            af = step;
        else if (!same)
            af = af + step;
        if (af >= limit) af = limit;
        const float d = std::fabs((ep - prev) * af);
        if (up) {
            float s = prev + d;
            if (s <= q[i].low) {
                float hh = q[i + 1 - k].high;
                for (std::size_t j = i + 2 - k; j <= i; ++j)
                    if (q[j].high >= hh) hh = q[j].high;
                same = hh == ep;
                if (!same) ep = hh;
                ++k;
                if (q[i - 1].low <= s) s = q[i - 1].low;
                if (s >= q[i - 2].low) s = q[i - 2].low;
                sar.push_back(s);
            } else {
                sar.push_back(ep);
                up = false;
                same = ep == q[i].low;
                ep = q[i].low;
                k = 1;
            }
        } else {
            float s = prev - d;
            if (s >= q[i].high) {
                float ll = q[i + 1 - k].low;
                for (std::size_t j = i + 2 - k; j <= i; ++j)
                    if (q[j].low <= ll) ll = q[j].low;
                same = ll == ep;
                if (!same) ep = ll;
                ++k;
                if (q[i - 1].high >= s) s = q[i - 1].high;
                if (s <= q[i - 2].high) s = q[i - 2].high;
                sar.push_back(s);
            } else {
                sar.push_back(ep);
                up = true;
                same = ep == q[i].high;
                ep = q[i].high;
                k = 1;
            }
        }
    }
    return sar;
}

} // namespace

TEST(SAR, StartsFromTheFirstTwoBars) {
    // Up (11 >= 10): the first high, then the larger low.
    EXPECT_TRUE(SameBits(SAR(Columns({Bar(12, 9, 10), Bar(13, 10, 11)}), 0.02f, 0.2f)->values, {12, 10}));
    // Down: the first high, then the smaller high.
    EXPECT_TRUE(SameBits(SAR(Columns({Bar(12, 9, 10), Bar(11, 8, 9)}), 0.02f, 0.2f)->values, {12, 11}));
    EXPECT_TRUE(SameBits(SAR(Columns({Bar(12, 9, 10)}), 0.02f, 0.2f)->values, {10}));
    EXPECT_TRUE(SAR(CBarColumns(), 0.02f, 0.2f)->values.empty());
    auto s = SAR(CBarColumns(), 0.02f, 0.2f);
    EXPECT_EQ(s->name, "SAR");
    EXPECT_EQ(s->parameter, "0.02,0.20");
}

TEST(SAR, ReversesToTheExtremePointAndRestartsTheAcceleration) {
    const std::vector<SQuote> q = {Bar(12, 9, 10),   Bar(13, 10, 11), Bar(14, 11, 13),
                                   Bar(12, 8, 8.5f), Bar(9, 7, 7.5f), Bar(8, 6, 6.5f)};
    // Bar 2: 10 + |(13-10)*0.02| holds above no low; capped by the lows of bars 1 and 0 -> 9;
    //        EP becomes 14.
    // Bar 3: AF 0.04, 9 + |(14-9)*0.04| = 9.2 > low 8: reversal to the old EP 14; EP = 8.
    // Bar 4: AF back to 0.02: 14 - 0.12 = 13.88, raised to the high of bar 2 (14); EP = 7.
    // Bar 5: AF 0.02 + 0.02: 14 - |(7-14)*0.04| stays; EP = 6.
    const float bar5 = 14.0f - std::fabs((7.0f - 14.0f) * (0.02f + 0.02f));
    EXPECT_TRUE(SameBits(SAR(Columns(q), 0.02f, 0.2f)->values, {12, 10, 9, 14, 14, bar5}));
}

TEST(SAR, MatchesTheRescanOfTheTrendOnLongSeries) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const std::vector<SQuote> q = RandomWalk(5000, seed);
        EXPECT_TRUE(SameBits(SAR(Columns(q), 0.02f, 0.2f)->values, RescannedSar(q, 0.02f, 0.2f)));
    }
    // A steady rise keeps one trend over every bar.
    std::vector<SQuote> rising;
    for (int i = 0; i < 400; ++i) rising.push_back(Bar(i + 2.0f, float(i), i + 1.0f));
    EXPECT_TRUE(SameBits(SAR(Columns(rising), 0.02f, 0.2f)->values, RescannedSar(rising, 0.02f, 0.2f)));
    const std::vector<SQuote> real = LoadTtrc();
    if (!real.empty()) {
        EXPECT_TRUE(SameBits(SAR(Columns(real), 0.02f, 0.2f)->values, RescannedSar(real, 0.02f, 0.2f)));
    }
}
