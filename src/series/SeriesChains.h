#pragma once
// The running values of the series functions as chains that several can run in one pass
// (for the functions of this library only).
#include "CCurve.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace Series {

// Bar i of a stored series as it is, or with invalid values read as 0.
struct SRawRead {
    const float* x;
    float operator()(std::size_t i) const { return x[i]; }
};
struct SZeroRead {
    const float* x;
    float operator()(std::size_t i) const { return std::isfinite(x[i]) ? x[i] : 0.0f; }
};

// The chains below write through `out` into a sized vector and carry their running value in
// a local, so that the value stays in a register from bar to bar. Each chain is started on
// its own (Start), then stepped bar by bar from Begin().

// The window mean carried from bar to bar: (a*n - x[i-n] + x[i]) / n.
template <class Read> struct SMeanChain {
    Read at;
    float* out;
    std::size_t window;
    float fn = 0.0f, a = 0.0f;

    void Start() {
        fn = float(window);
        float s = 0.0f;
        for (std::size_t i = 0; i < window; ++i) {
            s = s + at(i);
            out[i] = kInvalid;
        }
        a = s / fn;
        out[window - 1] = a;
    }
    std::size_t Begin() const { return window; }
    void Step(std::size_t i) {
        a = (a * fn - at(i - window) + at(i)) / fn;
        out[i] = a;
    }
};

// Runs up to four chains in one pass: each alone up to the latest start, then all of them
// bar by bar, so that their independent dependence chains overlap in the processor. Each
// chain's own operations and their order are those of running it alone.
template <class Chain, std::size_t... Is>
void RunTogether(std::array<Chain, sizeof...(Is)> c, std::size_t bars, std::index_sequence<Is...>) {
    (c[Is].Start(), ...);
    const std::size_t from = std::min(bars, std::max({c[Is].Begin()...}));
    auto alone = [from](Chain& chain) {
        for (std::size_t i = chain.Begin(); i < from; ++i) chain.Step(i);
    };
    (alone(c[Is]), ...);
    for (std::size_t i = from; i < bars; ++i) (c[Is].Step(i), ...);
}

template <std::size_t K, class Chain, std::size_t... Is>
void RunGroup(const std::vector<Chain>& all, std::size_t first, std::size_t bars,
              std::index_sequence<Is...> seq) {
    RunTogether<Chain>(std::array<Chain, K>{all[first + Is]...}, bars, seq);
}

template <class Chain> void RunChains(const std::vector<Chain>& chains, std::size_t bars) {
    std::size_t k = 0;
    for (; k + 4 <= chains.size(); k += 4) RunGroup<4>(chains, k, bars, std::make_index_sequence<4>());
    switch (chains.size() - k) {
    case 3:
        RunGroup<3>(chains, k, bars, std::make_index_sequence<3>());
        break;
    case 2:
        RunGroup<2>(chains, k, bars, std::make_index_sequence<2>());
        break;
    case 1:
        RunGroup<1>(chains, k, bars, std::make_index_sequence<1>());
        break;
    default:
        break;
    }
}

// Runs the chains together when all of them cover the same bars, else each on its own.
template <class Chain>
void RunChains(const std::vector<Chain>& chains, const std::vector<std::size_t>& bars) {
    if (std::adjacent_find(bars.begin(), bars.end(), std::not_equal_to<>()) == bars.end()) {
        if (!bars.empty()) RunChains(chains, bars.front());
        return;
    }
    for (std::size_t k = 0; k < chains.size(); ++k)
        RunGroup<1>(chains, k, bars[k], std::make_index_sequence<1>());
}

} // namespace Series
