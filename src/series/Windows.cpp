#include "Windows.h"
#include "CurveMaking.h"
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
    std::vector<float>& v = y->values;
    if (n >= 0) {
        v.assign(shift, kInvalid);
        v.insert(v.end(), x->values.begin(), x->values.end() - std::ptrdiff_t(shift));
    } else {
        v.assign(x->values.begin() + std::ptrdiff_t(shift), x->values.end());
        v.resize(bars, kInvalid);
    }
    return y;
}

CurvePtr SUM(CurvePtr x, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars, "SUM(" + x->name + ")", n);
    const std::size_t window = std::size_t(std::llabs(n));
    std::vector<float>& v = y->values;
    float s = 0.0f;
    if (window == 0) {
        for (std::size_t i = 0; i < bars; ++i) {
            s = s + x->ZeroAt(i);
            v.push_back(s);
        }
        return y;
    }
    for (std::size_t i = 0; i < std::min(window, bars); ++i) {
        s = s + x->ZeroAt(i);
        v.push_back(s);
    }
    for (std::size_t i = window; i < bars; ++i) {
        s = s - x->ZeroAt(i - window) + x->ZeroAt(i);
        v.push_back(s);
    }
    return y;
}

CurvePtr STD(CurvePtr x, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars, "STD(" + x->name + ")", n);
    if (bars == 0) return y;
    if (n < 1) return AllInvalid(std::move(y), bars);
    const std::size_t window = std::min<std::size_t>(std::size_t(n), bars);
    const float fn = float(window), dof = float(window - 1);
    float s = 0.0f;
    for (std::size_t j = 0; j < window; ++j) s = s + x->RawAt(j);
    float m = s / fn;
    std::vector<float>& v = y->values;
    v.assign(window, kInvalid);
    for (std::size_t i = window; i < bars; ++i) {
        m = (m * fn - x->RawAt(i - window) + x->RawAt(i)) / fn;
        float d = 0.0f;
        for (std::size_t j = i + 1; j-- > i + 1 - window;) {
            const float t = x->RawAt(j) - m;
            d = d + t * t;
        }
        v.push_back(std::sqrt(d / dof));
    }
    return y;
}

} // namespace Series
