#include "Averages.h"
#include "CurveMaking.h"
#include <algorithm>
#include <cstdlib>

namespace Series {
namespace {

// The window mean carried from bar to bar; `at(i)` reads input bar i.
template <class Read> void CarriedMean(std::vector<float>& y, std::size_t bars, int n, Read at) {
    if (n < 1) {
        y.assign(bars, kInvalid);
        return;
    }
    const std::size_t window = std::min<std::size_t>(std::size_t(n), bars);
    const float fn = float(window);
    float s = 0.0f;
    for (std::size_t i = 0; i < window; ++i) {
        s = s + at(i);
        y.push_back(kInvalid);
    }
    if (window == 0) return;
    float a = s / fn;
    y[window - 1] = a;
    for (std::size_t i = window; i < bars; ++i) {
        a = (a * fn - at(i - window) + at(i)) / fn;
        y.push_back(a);
    }
}

} // namespace

CurvePtr MA(const CBarColumns& quotes, int n) {
    auto y = NewPeriodCurve(quotes.size(), "MA", n);
    const float* close = quotes.Close().data();
    CarriedMean(y->values, quotes.size(), n, [close](std::size_t i) { return close[i]; });
    return y;
}

CurvePtr MA(CurvePtr x, int n) {
    auto y = NewPeriodCurve(x->size(), "MA(" + x->name + ")", n);
    CarriedMean(y->values, x->size(), n, [&](std::size_t i) { return x->ZeroAt(i); });
    return y;
}

CurvePtr SMA(CurvePtr x, int n, int m) {
    const long long weight = std::llabs(m);
    if (weight >= n) return x;
    auto y = NewPeriodCurve(x->size(), "SMA(" + x->name + ")", n);
    y->parameter = std::to_string(n) + "," + std::to_string(weight);
    if (x->empty()) return y;
    const float fn = float(n), fm = float(weight), fRest = float(n - weight);
    float prev = x->ZeroAt(0);
    y->values.push_back(prev);
    for (std::size_t i = 1; i < x->size(); ++i) {
        prev = (fm * x->ZeroAt(i) + fRest * prev) / fn;
        y->values.push_back(prev);
    }
    return y;
}

CurvePtr EMA(CurvePtr x, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars + 1, "EMA(" + x->name + ")", n);
    if (bars == 0) return y;
    if (n < 1) return AllInvalid(std::move(y), bars);
    const std::size_t window = std::min<std::size_t>(std::size_t(n), bars);
    std::vector<float>& v = y->values;
    v.push_back(x->ZeroAt(0));
    float s = 0.0f;
    for (std::size_t i = 0; i < window; ++i) {
        s = s + x->ZeroAt(i);
        v.push_back(kInvalid);
    }
    v[window] = s / float(window);
    const float nPlus1 = float(window + 1), nMinus1 = float(window - 1);
    for (std::size_t i = window + 1; i < bars; ++i)
        v.push_back((2.0f * x->ZeroAt(i) + nMinus1 * v[i - 1]) / nPlus1);
    v.resize(bars);
    return y;
}

CurvePtr WMA(CurvePtr x, CurvePtr w, int n) {
    const std::size_t bars = x->size();
    auto y = NewPeriodCurve(bars, "WMA(" + x->name + "," + w->name + ")", n);
    if (!LengthsAgree(bars, w->size())) return AllInvalid(std::move(y), bars);
    if (bars == 0) return y;
    if (n < 1) return AllInvalid(std::move(y), bars);
    const std::size_t window = std::min<std::size_t>(std::size_t(n), bars);
    std::vector<float>& v = y->values;
    float p = 0.0f, q = 0.0f;
    for (std::size_t i = 0; i < window; ++i) {
        p = p + x->ZeroAt(i) * w->ZeroAt(i);
        q = q + w->ZeroAt(i);
        v.push_back(kInvalid);
    }
    v[window - 1] = p / q;
    for (std::size_t i = window; i < bars; ++i) {
        const std::size_t out = i - window;
        p = p - x->ZeroAt(out) * w->ZeroAt(out) + x->ZeroAt(i) * w->ZeroAt(i);
        q = q - w->ZeroAt(out) + w->ZeroAt(i);
        const float a = p / q;
        v.push_back(std::isfinite(a) ? a : kInvalid);
    }
    return y;
}

} // namespace Series
