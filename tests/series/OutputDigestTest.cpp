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
        d.Values(c->values);
    }
    d.Values(out.referenceLevels);
    return d.h;
}

uint64_t DigestOf(const std::vector<STradeFlagData>& flags) {
    Digest d;
    for (const STradeFlagData& f : flags) {
        d.Text(f.name);
        d.Bytes(&f.direction, sizeof f.direction);
        d.Values(f.values);
    }
    return d.h;
}

// Taken from the library as it stood before its loops were rescheduled.
const std::map<std::string, uint64_t> kExpected = {
    {"52WK H and L", 0xfbac049345b6f805ull},
    {"ADX", 0xa20bf8aa6bf72a58ull},
    {"ATR", 0x5d547fc4f0f9addaull},
    {"BOL", 0x2a12f6aa5e95d628ull},
    {"CCI", 0x551750e25db7d614ull},
    {"EMA", 0x807fc505dab96c15ull},
    {"FLAGEMA", 0xc6889fbc42cb7371ull},
    {"FLAGKDJ", 0xaa6a0bbd5b5e7c3bull},
    {"FLAGMA", 0xd0be2689a510085bull},
    {"FLAGMACD", 0xcd42fd9f5d0e8c43ull},
    {"FLAGSAR", 0x54417748a06b096eull},
    {"FLAGWMA", 0xb72864e4e3a321a3ull},
    {"KC", 0xb94435c5328d1012ull},
    {"MACD", 0xdf673f7405350bb9ull},
    {"MAE", 0x90121a5191f63dfaull},
    {"MFI", 0xea0daa14d8e63808ull},
    {"MTM", 0x38bc2894059a121eull},
    {"OBV", 0xff6ab88c64e3415eull},
    {"ROC", 0x7722be6eee0c3b6eull},
    {"RSI", 0xcb2796e964b4f529ull},
    {"SAR", 0xced1e2360b437a15ull},
    {"SMA", 0x151d3e53d5f7b0eeull},
    {"STC", 0x2b7f1c2ade5e0c16ull},
    {"VAO", 0x1d4899bccb7a1ba6ull},
    {"VOL", 0x271189d5052ee666ull},
    {"VOLA", 0xa525e3b9790de196ull},
    {"VOLP", 0x69c921601e66f082ull},
    {"WMA", 0x760ccb9983b0e337ull},
    {"WR", 0xe2bc7c9070438bb2ull},
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
