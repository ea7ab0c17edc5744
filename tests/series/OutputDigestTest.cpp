// Every formula's output on a million bars, reduced to one digest per item: a change in
// scheduling or storage of the series library must leave every bit of every curve as it was.
#include "IndicatorTable.h"
#include "SeriesTestSupport.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

namespace {

// splitmix64: the same walk on every standard library, unlike the <random> distributions.
struct SplitMix {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return int(Next() % uint64_t(n)); }
};

std::vector<SQuote> RandomWalk(std::size_t bars) {
    SplitMix rng{20240601};
    std::vector<SQuote> q;
    q.reserve(bars);
    int close = 5000;
    for (std::size_t i = 0; i < bars; ++i) {
        const int open = close;
        close = std::max(100, close + rng.Below(301) - 150);
        const int high = std::max(open, close) + rng.Below(201) / 2;
        const int low = std::max(1, std::min(open, close) - rng.Below(201) / 2);
        q.push_back(SQuote{int32_t(i), open / 100.0f, high / 100.0f, low / 100.0f, close / 100.0f,
                           close / 100.0f, float(rng.Below(50001))});
    }
    return q;
}

// FNV-1a over the bytes, so that NaN payloads and the sign of zero count too.
struct Digest {
    uint64_t h = 0xCBF29CE484222325ull;
    void Bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 0x100000001B3ull;
    }
    void Text(const std::string& s) { Bytes(s.data(), s.size() + 1); }
    template <class T> void Values(const std::vector<T>& v) {
        const uint64_t n = v.size();
        Bytes(&n, sizeof n);
        Bytes(v.data(), v.size() * sizeof(T));
    }
};

uint64_t DigestOf(const SIndicatorCurves& out) {
    Digest d;
    for (const CurvePtr& c : out.curves) {
        d.Text(c->name);
        d.Text(c->parameter);
        const int32_t look[] = {int32_t(c->colour), c->lineStyle, c->drawKind, c->lineWidth,
                                int32_t(c->extraColour1), int32_t(c->extraColour2)};
        d.Bytes(look, sizeof look);
        d.Values(c->values);
    }
    d.Values(out.referenceLevels);
    return d.h;
}

uint64_t DigestOf(const std::vector<STradeFlagData>& flags) {
    Digest d;
    for (const STradeFlagData& f : flags) {
        d.Text(f.name);
        const int32_t look[] = {f.direction, int32_t(f.colour), int32_t(f.secondColour), f.symbol};
        d.Bytes(look, sizeof look);
        d.Values(f.values);
    }
    return d.h;
}

// Taken from the library as it stood before its loops were rescheduled.
const std::map<std::string, uint64_t> kExpected = {
    {"52WK H and L", 0xc8a3592f0a52df35ull},
    {"ADX", 0xaa234ad693394c4full},
    {"ATR", 0x734dbb6b394b3075ull},
    {"BOL", 0x3d5cc12252477ba5ull},
    {"CCI", 0x78838cca1a409cb7ull},
    {"EMA", 0xef81d4f789d39526ull},
    {"FLAGEMA", 0xf127712adea54c2bull},
    {"FLAGKDJ", 0x2978fb2d9b84e8c5ull},
    {"FLAGMA", 0xe1c87d6cf3b2a989ull},
    {"FLAGMACD", 0xf96218d19169629cull},
    {"FLAGSAR", 0x4dca4ba611b5eb5dull},
    {"FLAGWMA", 0x50d6938d1a60a7fbull},
    {"KC", 0xfdf270081d923c0bull},
    {"MACD", 0xffb7bbb86c312705ull},
    {"MAE", 0x99ca490c6a6d2e65ull},
    {"MFI", 0xa6cc0a530d49152aull},
    {"MTM", 0xca34b49b7777931eull},
    {"OBV", 0xf45b683064e9b4b6ull},
    {"ROC", 0x539643699e1e4691ull},
    {"RSI", 0xe6083de9d63d3b7aull},
    {"SAR", 0xe3086e6881bd4696ull},
    {"SMA", 0xfff4f4eb05e3e55dull},
    {"STC", 0x97addd4fcc4e969aull},
    {"VAO", 0xafcef6d98618f562ull},
    {"VOL", 0xcdd75c2ea2acff5bull},
    {"VOLA", 0x476668b46aca19dull},
    {"VOLP", 0xaed9dd1a4384a3caull},
    {"WMA", 0x2a18935de0f74ba6ull},
    {"WR", 0xcb4b95c17c8ee3afull},
};

} // namespace

TEST(OutputDigest, EveryFormulaGivesTheSameBitsOnAMillionBars) {
    const std::vector<SQuote> bars = RandomWalk(1'000'000);
    const CBarColumns columns(bars);
    std::map<std::string, uint64_t> got;
    for (const SIndicatorEntry& e : AllIndicators()) got[e.identifier] = DigestOf(e.run(columns));
    for (const SSignalEntry& e : AllSignals()) got[e.identifier] = DigestOf(e.run(columns));
    ASSERT_EQ(got.size(), 29u);
    for (const auto& [id, digest] : got) {
        const auto want = kExpected.find(id);
        if (want == kExpected.end()) {
            ADD_FAILURE() << "no digest kept for " << id << ": {\"" << id << "\", 0x" << std::hex
                          << digest << "ull},";
            continue;
        }
        EXPECT_EQ(digest, want->second) << id;
    }
}
