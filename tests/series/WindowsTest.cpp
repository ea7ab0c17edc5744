#include "series/Windows.h"
#include "SeriesTestSupport.h"
#include <random>

using namespace Series;

namespace {

// The highest/lowest value exactly as defined: running extreme of the zero reads first, then
// at each bar a rescan from bar i down to i-n+1 against x[i-n].
std::vector<float> RescannedExtreme(const std::vector<float>& x, int n, bool highest) {
    const auto zero = [](float v) { return std::isfinite(v) ? v : 0.0f; };
    const auto beats = [&](float a, float b) { return highest ? a > b : a < b; };
    std::vector<float> y;
    const int bars = int(x.size());
    if (bars == 0) return y;
    if (n >= bars || n <= 0) n = bars;
    float h = zero(x[0]);
    for (int i = 0; i < n; ++i) {
        if (beats(zero(x[i]), h)) h = zero(x[i]);
        y.push_back(h);
    }
    for (int i = n; i < bars; ++i) {
        h = zero(x[i - n]);
        for (int j = i; j >= i - n + 1; --j)
            if (std::isfinite(x[j]) && beats(x[j], h)) h = x[j];
        y.push_back(h);
    }
    return y;
}

// Values with many ties, both zeros and invalid bars of every kind.
std::vector<float> TieHeavySeries(std::size_t bars, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, 11);
    const float choices[] = {-0.0f, 0.0f, 1.0f, -1.0f, 2.0f, kInf, 3.0f, -2.0f, 0.0f, 1.0f,
                             kNaN, -kInf};
    std::vector<float> x;
    for (std::size_t i = 0; i < bars; ++i) x.push_back(choices[pick(rng)]);
    return x;
}

} // namespace

TEST(HHV, CoversNPlusOneBarsFromBarN) {
    // The window at bar 5 is bars 3..5.
    EXPECT_TRUE(SameBits(HHV(MakeCurve({5, 1, 2, 9, 1, 1}), 2)->values, {5, 5, 5, 9, 9, 9}));
    EXPECT_TRUE(SameBits(LLV(MakeCurve({5, 1, 2, 9, 1, 1}), 2)->values, {5, 1, 1, 1, 1, 1}));
}

TEST(HHV, ReadsTheOldestBarByZeroAndSkipsInvalidOthers) {
    // Bar 1: running max of zero reads (0 < 1). Bar 3: x[1] reads 0, then 3. Bar 4: x[2] = 3.
    EXPECT_TRUE(SameBits(HHV(MakeCurve({1, kInf, 3, kInf, 2}), 2)->values, {1, 1, 3, 3, 3}));
    // Bar 4: x[2] is invalid and reads 0, which beats -1 and -3.
    EXPECT_TRUE(SameBits(HHV(MakeCurve({-4, -2, kInf, -3, -1}), 2)->values, {-4, -2, -2, -2, 0}));
    // Running part: the invalid bar 1 reads 0, the lowest so far.
    EXPECT_TRUE(SameBits(LLV(MakeCurve({4, kInf, 3}), 5)->values, {4, 0, 0}));
}

TEST(HHV, KeepsTheCandidateThatTheRescanKeepsAmongEqualZeros) {
    // Bar 2: from x[0] = -1 the rescan meets -0.0 (bar 2) first and keeps it against 0.0.
    // Bar 3: x[1] = 0.0 is the first candidate and -0.0 does not beat it.
    EXPECT_TRUE(
        SameBits(HHV(MakeCurve({-1, 0.0f, -0.0f, -5}), 2)->values, {-1, 0.0f, -0.0f, 0.0f}));
}

TEST(HHV, MatchesTheRescanOfEveryWindowBitForBit) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<float> x = TieHeavySeries(300, seed);
        // Windows that split the series into whole blocks, a partial last block, or one block.
        for (int n : {-1, 0, 1, 2, 3, 9, 14, 52, 99, 100, 149, 150, 299, 300, 301}) {
            EXPECT_TRUE(SameBits(HHV(MakeCurve(x), n)->values, RescannedExtreme(x, n, true)))
                << "seed " << seed << " n " << n;
            EXPECT_TRUE(SameBits(LLV(MakeCurve(x), n)->values, RescannedExtreme(x, n, false)))
                << "seed " << seed << " n " << n;
        }
    }
}

TEST(HHV, ShortAndEmptySeries) {
    EXPECT_TRUE(HHV(MakeCurve({}), 9)->values.empty());
    EXPECT_TRUE(LLV(MakeCurve({}), 9)->values.empty());
    EXPECT_TRUE(SameBits(HHV(MakeCurve({kInf}), 9)->values, {0}));
    EXPECT_TRUE(SameBits(LLV(MakeCurve({3, 1}), 1)->values, {3, 1}));
}

TEST(REF, ShiftsBackOrAheadAndFillsWithInvalid) {
    struct Case {
        std::vector<float> x;
        int n;
        std::vector<float> want;
    } cases[] = {
        {{1}, 1, {kInf}},
        {{1, 2, 3}, 1, {kInf, 1, 2}},
        {{1, 2, 3}, -1, {2, 3, kInf}},
        {{1, 2, 3}, 0, {1, 2, 3}},
        {{1, 2, 3}, 5, {kInf, kInf, kInf}},
        {{1, 2, 3}, -5, {kInf, kInf, kInf}},
        {{kInf, 2}, 1, {kInf, kInf}},
        {{}, 1, {}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameBits(REF(MakeCurve(c.x), c.n)->values, c.want)) << c.n;
}

TEST(SUM, SumsTheLastNBarsWithPartialSumsFirst) {
    struct Case {
        std::vector<float> x;
        int n;
        std::vector<float> want;
    } cases[] = {
        {{1, 2, 3}, 0, {1, 3, 6}},
        {{1, 2, 3}, 2, {1, 3, 5}},
        {{1, 2, 3}, -2, {1, 3, 5}},
        {{1, 2, 3}, 5, {1, 3, 6}},
        // Zero read: s = 1, 1 + 0, then 1 - 1 + 3.
        {{1, kInf, 3}, 2, {1, 1, 3}},
        {{}, 2, {}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameBits(SUM(MakeCurve(c.x), c.n)->values, c.want)) << c.n;
    // The carried sum, not a re-summed window: (0.1 + 0.2) - 0.1 + 0.3.
    EXPECT_TRUE(SameBits(SUM(MakeCurve({0.1f, 0.2f, 0.3f}), 2)->values,
                         {0.1f, 0.1f + 0.2f, (0.1f + 0.2f) - 0.1f + 0.3f}));
}

TEST(STD, IsTheSampleDeviationAroundTheCarriedMeanFromBarN) {
    // m = 1.5, then (1.5*2 - 1 + 3)/2 = 2.5: (3-2.5)^2 + (2-2.5)^2 = 0.5; likewise at bar 3.
    EXPECT_TRUE(SameBits(STD(MakeCurve({1, 2, 3, 4}), 2)->values,
                         {kInf, kInf, std::sqrt(0.5f), std::sqrt(0.5f)}));
    // n = 1: d / 0.
    EXPECT_TRUE(SameBits(STD(MakeCurve({1, 2, 4}), 1)->values, {kInf, kNaN, kNaN}));
    EXPECT_TRUE(SameBits(STD(MakeCurve({1, 2, 4}), 3)->values, {kInf, kInf, kInf}));
    EXPECT_TRUE(SameBits(STD(MakeCurve({1, 2, 4}), 0)->values, {kInf, kInf, kInf}));
    EXPECT_TRUE(STD(MakeCurve({}), 20)->values.empty());
}

TEST(STD, SumsTheSquaresFromTheNewestBarDown) {
    const std::vector<float> x = {0.3f, 1.7f, 2.9f, 0.4f};
    const float m0 = (0.3f + 1.7f + 2.9f) / 3.0f;
    const float m = (m0 * 3.0f - 0.3f + 0.4f) / 3.0f;
    float d = 0.0f;
    for (float v : {0.4f, 2.9f, 1.7f}) d = d + (v - m) * (v - m);
    EXPECT_TRUE(SameBits(STD(MakeCurve(x), 3)->values, {kInf, kInf, kInf, std::sqrt(d / 2.0f)}));
}
