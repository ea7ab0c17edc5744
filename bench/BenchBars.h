#pragma once
// The bars every indicator benchmark runs on: one deterministic random walk, so the figures
// of the formula, builder and peer benchmarks are measured on the same data.
#include "quotes/SQuote.h"
#include <algorithm>
#include <cstddef>
#include <random>
#include <vector>

inline constexpr std::size_t kBenchBars = 1'000'000;

inline std::vector<SQuote> BenchRandomWalk(std::size_t bars = kBenchBars) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> step(-150, 150), spread(0, 200), volume(0, 50000);
    std::vector<SQuote> q;
    q.reserve(bars);
    int close = 5000;
    for (std::size_t i = 0; i < bars; ++i) {
        const int open = close;
        close = std::max(100, close + step(rng));
        const int high = std::max(open, close) + spread(rng) / 2;
        const int low = std::max(1, std::min(open, close) - spread(rng) / 2);
        q.push_back(SQuote{int32_t(i), open / 100.0f, high / 100.0f, low / 100.0f, close / 100.0f,
                           close / 100.0f, float(volume(rng))});
    }
    return q;
}
