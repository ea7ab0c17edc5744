#include "Windows.h"
#include "Averages.h"
#include "CurveMaking.h"
#include "SeriesChains.h"
#include <cstring>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Series {
namespace {

// The extreme of each window, `better(a, b)` meaning a beats b strictly (> for the highest).
// Bar i's value is the best finite value of bars i-n+1 .. i, taken against the zero read of bar
// i-n; among equal values the newest wins, as in a scan from bar i down to bar i-n+1, and bar
// i-n keeps a tie. Because the newer side wins every tie, the best of a window can be combined
// from the best of any split of it: blocks of n bars give each window as the best of a block's
// suffix and the next block's prefix (van Herk, Gil and Werman), the rescan's result bit for bit
// in three branch-free passes.
template <class Better>
void WindowExtreme(const CCurve& x, int period, std::vector<float>& y, Better better, float none) {
    const std::size_t bars = x.size();
    if (bars == 0) return;
    const std::size_t n = (period <= 0 || std::size_t(period) >= bars) ? bars : std::size_t(period);

    float h = x.ZeroAt(0);
    for (std::size_t i = 0; i < n; ++i) {
        if (better(x.ZeroAt(i), h)) h = x.ZeroAt(i);
        y.push_back(h);
    }
    if (n == bars) return;

    // Blocks of n bars from bar 1. `none` stands for a value that is not finite: it never wins.
    const float* raw = x.values.data();
    const auto finite = [raw, none](std::size_t j) {
        const float v = raw[j];
        return std::isfinite(v) ? v : none;
    };
    const auto newerOf = [better](float older, float newer) {
        return better(older, newer) ? older : newer;
    };
    y.resize(bars);
    float* prefix = y.data(); // the prefixes are read at the bar they are overwritten at
    std::vector<float> suffix(bars);
    for (std::size_t start = 1; start < bars; start += n) {
        const std::size_t stop = std::min(start + n, bars);
        float best = none;
        // The first block's prefixes are never read, and its bars hold the values of bars 1..n-1.
        if (start > 1)
            for (std::size_t j = start; j < stop; ++j) prefix[j] = best = newerOf(best, finite(j));
        best = none;
        for (std::size_t j = stop; j-- > start;) suffix[j] = best = newerOf(finite(j), best);
    }
    for (std::size_t i = n; i < bars; ++i) {
        const std::size_t first = i + 1 - n;
        const float best = (first - 1) % n == 0 ? suffix[first] : newerOf(suffix[first], prefix[i]);
        const float before = x.ZeroAt(i - n);
        y[i] = better(best, before) ? best : before;
    }
}

// The windowed sum carried from bar to bar: partial sums up to the window, then
// s - x[i-n] + x[i].
struct SWindowSumChain {
    SZeroRead at;
    float* out;
    std::size_t window, bars;
    float s = 0.0f;

    void Start() {
        for (std::size_t i = 0; i < std::min(window, bars); ++i) {
            s = s + at(i);
            out[i] = s;
        }
    }
    std::size_t Begin() const { return window; }
    void Step(std::size_t i) {
        s = s - at(i - window) + at(i);
        out[i] = s;
    }
};

void RunningTotal(SZeroRead at, std::size_t bars, float* out) {
    float s = 0.0f;
    for (std::size_t i = 0; i < bars; ++i) {
        s = s + at(i);
        out[i] = s;
    }
}

// The sample deviation of bar i from `window` on: the squares of x[j] - mean[i] summed from
// j = i down to i-window+1, over window-1, square root; invalid before. Bars are independent,
// so eight go side by side, each summing in that order in its own lane.
void Deviations(const float* x, const float* mean, std::size_t bars, std::size_t window,
                float* out) {
    using Lanes = float __attribute__((vector_size(16)));
    const float dof = float(window - 1);
    std::fill(out, out + std::min(window, bars), kInvalid);
    const auto load = [](const float* p) {
        Lanes v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    std::size_t i = window;
    for (; i + 8 <= bars; i += 8) {
        const Lanes m0 = load(mean + i), m1 = load(mean + i + 4);
        Lanes d0 = {0, 0, 0, 0}, d1 = {0, 0, 0, 0};
        for (std::size_t k = 0; k < window; ++k) {
            const Lanes t0 = load(x + i - k) - m0, t1 = load(x + i + 4 - k) - m1;
            d0 = d0 + t0 * t0;
            d1 = d1 + t1 * t1;
        }
        for (int l = 0; l < 4; ++l) {
            out[i + l] = std::sqrt(d0[l] / dof);
            out[i + 4 + l] = std::sqrt(d1[l] / dof);
        }
    }
    for (; i < bars; ++i) {
        float d = 0.0f;
        for (std::size_t j = i + 1; j-- > i + 1 - window;) {
            const float t = x[j] - mean[i];
            d = d + t * t;
        }
        out[i] = std::sqrt(d / dof);
    }
}

} // namespace

CurvePtr HHV(CurvePtr x, int n) {
    auto y = NewPeriodCurve(x->size(), "HHV(" + x->name + ")", n);
    WindowExtreme(*x, n, y->values, [](float a, float b) { return a > b; }, -kInvalid);
    return y;
}

CurvePtr LLV(CurvePtr x, int n) {
    auto y = NewPeriodCurve(x->size(), "LLV(" + x->name + ")", n);
    WindowExtreme(*x, n, y->values, [](float a, float b) { return a < b; }, kInvalid);
    return y;
}

CurvePtr REF(CurvePtr x, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars, "REF(" + x->name + ")", n);
    const std::size_t shift = std::min<std::size_t>(std::size_t(std::llabs(n)), bars);
    // Shifted within the values taken over from x.
    y->values = std::move(x->values);
    float* v = y->values.data();
    const std::size_t kept = bars - shift;
    if (n >= 0) {
        if (kept > 0) std::memmove(v + shift, v, kept * sizeof(float));
        std::fill(v, v + shift, kInvalid);
    } else {
        if (kept > 0) std::memmove(v, v + shift, kept * sizeof(float));
        std::fill(v + kept, v + bars, kInvalid);
    }
    return y;
}

CurvePtr SUM(CurvePtr x, int n) {
    const SAveraged item{x.get(), n};
    return std::move(SUMs(std::span<const SAveraged>(&item, 1)).front());
}

std::vector<CurvePtr> SUMs(std::span<const SAveraged> items) {
    std::vector<CurvePtr> out;
    std::vector<SWindowSumChain> chains;
    std::vector<std::size_t> lengths;
    for (const SAveraged& item : items) {
        const CCurve& x = *item.x;
        const std::size_t bars = x.size();
        auto y = NewPeriodCurve(bars, "SUM(" + x.name + ")", item.n);
        y->values.resize(bars);
        const std::size_t window = std::size_t(std::llabs(item.n));
        const SZeroRead at{x.values.data()};
        if (window == 0)
            RunningTotal(at, bars, y->values.data());
        else if (bars > 0) {
            chains.push_back({at, y->values.data(), window, bars});
            lengths.push_back(bars);
        }
        out.push_back(std::move(y));
    }
    RunChains(chains, lengths);
    return out;
}

CurvePtr STD(CurvePtr x, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars, "STD(" + x->name + ")", n);
    if (bars == 0) return y;
    if (n < 1) return AllInvalid(std::move(y), bars);
    std::vector<float> mean(bars);
    const std::size_t window = std::min<std::size_t>(std::size_t(n), bars);
    RunChains(std::vector{SMeanChain<SRawRead>{{x->values.data()}, mean.data(), window}}, bars);
    y->values.resize(bars);
    Deviations(x->values.data(), mean.data(), bars, window, y->values.data());
    return y;
}

std::pair<CurvePtr, CurvePtr> MAAndSTD(const CBarColumns& quotes, int n) {
    CurvePtr mean = MA(quotes, n);
    const std::size_t bars = quotes.size();
    auto y = NewPeriodCurve(bars, "STD(C)", n);
    if (bars == 0) return {std::move(mean), std::move(y)};
    if (n < 1) return {std::move(mean), AllInvalid(std::move(y), bars)};
    // From bar n on the close's mean is the mean STD carries, so its values serve as that.
    y->values.resize(bars);
    Deviations(quotes.Close().data(), mean->values.data(), bars,
               std::min<std::size_t>(std::size_t(n), bars), y->values.data());
    return {std::move(mean), std::move(y)};
}

} // namespace Series
