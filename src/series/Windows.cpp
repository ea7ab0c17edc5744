#include "Windows.h"
#include "CurveMaking.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Series {
namespace {

// The extreme of each window, `better(a, b)` meaning a beats b strictly (> for the highest).
// A monotonic queue of the finite values of bars i-n+1 .. i holds, front first, the best
// candidates; among equal values only the newest stays, which is the one a scan from bar i
// down to bar i-n+1 would keep. The result is that of the plain rescan of every window, bit
// for bit, in one pass.
template <class Better>
void WindowExtreme(const CCurve& x, int period, std::vector<float>& y, Better better) {
    const std::size_t bars = x.size();
    if (bars == 0) return;
    const std::size_t n = (period <= 0 || std::size_t(period) >= bars) ? bars : std::size_t(period);

    float h = x.ZeroAt(0);
    for (std::size_t i = 0; i < n; ++i) {
        if (better(x.ZeroAt(i), h)) h = x.ZeroAt(i);
        y.push_back(h);
    }
    if (n == bars) return;

    // The queue never holds more than n + 1 bars, so a ring of the next power of two at
    // least n + 2 replaces a queue as long as the series; head and tail only grow.
    std::size_t capacity = 1;
    while (capacity < n + 2) capacity <<= 1;
    const std::size_t mask = capacity - 1;
    std::vector<std::size_t> queue(capacity);
    std::size_t head = 0, tail = 0;
    const auto enter = [&](std::size_t j) {
        const float v = x.RawAt(j);
        if (!std::isfinite(v)) return;
        while (tail > head && !better(x.RawAt(queue[(tail - 1) & mask]), v)) --tail;
        queue[tail++ & mask] = j;
    };
    for (std::size_t j = 1; j < n; ++j) enter(j);
    for (std::size_t i = n; i < bars; ++i) {
        enter(i);
        while (head < tail && queue[head & mask] + n <= i) ++head;
        h = x.ZeroAt(i - n);
        if (head < tail && better(x.RawAt(queue[head & mask]), h)) h = x.RawAt(queue[head & mask]);
        y.push_back(h);
    }
}

} // namespace

CurvePtr HHV(CurvePtr x, int n) {
    auto y = NewPeriodCurve(x->size(), "HHV(" + x->name + ")", n);
    WindowExtreme(*x, n, y->values, [](float a, float b) { return a > b; });
    return y;
}

CurvePtr LLV(CurvePtr x, int n) {
    auto y = NewPeriodCurve(x->size(), "LLV(" + x->name + ")", n);
    WindowExtreme(*x, n, y->values, [](float a, float b) { return a < b; });
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
