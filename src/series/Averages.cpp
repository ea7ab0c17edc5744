#include "Averages.h"
#include "CurveMaking.h"
#include "SeriesChains.h"
#include "Operators.h"
#include "Sources.h"
#include <functional>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace Series {
namespace {

// The exponential average from the mean of the first n bars at bar n:
// y[i] = (2*x[i] + (n-1)*y[i-1]) / (n+1).
template <class Read> struct SExpChain {
    Read at;
    float* out;
    std::size_t window, bars;
    float nPlus1 = 0.0f, nMinus1 = 0.0f, y = 0.0f;

    void Start() {
        out[0] = at(0);
        float s = 0.0f;
        for (std::size_t i = 0; i < window; ++i) {
            s = s + at(i);
            if (i > 0) out[i] = kInvalid;
        }
        y = s / float(window);
        // With a window of every bar the mean would fall past the last bar.
        if (window < bars) out[window] = y;
        nPlus1 = float(window + 1);
        nMinus1 = float(window - 1);
    }
    std::size_t Begin() const { return window + 1; }
    void Step(std::size_t i) {
        y = (2.0f * at(i) + nMinus1 * y) / nPlus1;
        out[i] = y;
    }
};

// Sum of x*w over sum of w in the window, both sums carried.
template <class Read> struct SWeightedChain {
    Read x, w;
    float* out;
    std::size_t window;
    float p = 0.0f, q = 0.0f;

    void Start() {
        for (std::size_t i = 0; i < window; ++i) {
            p = p + x(i) * w(i);
            q = q + w(i);
            out[i] = kInvalid;
        }
        out[window - 1] = p / q;
    }
    std::size_t Begin() const { return window; }
    void Step(std::size_t i) {
        const std::size_t gone = i - window;
        p = p - x(gone) * w(gone) + x(i) * w(i);
        q = q - w(gone) + w(i);
        const float a = p / q;
        out[i] = std::isfinite(a) ? a : kInvalid;
    }
};

std::size_t WindowOf(int n, std::size_t bars) {
    return std::min<std::size_t>(std::size_t(n), bars);
}

// The curves of one kind of average, one per item in their order, each from its own input
// and period. A period below 1 gives every value invalid, no bars no values; the others get a
// chain, made by `chain` from the item, its output and its window.
template <class Chain, class MakeCurve, class MakeChain>
std::vector<CurvePtr> Averages(std::span<const SAveraged> items, MakeCurve curve, MakeChain chain,
                               std::size_t closeBars = 0) {
    std::vector<CurvePtr> out;
    std::vector<Chain> chains;
    std::vector<std::size_t> lengths;
    for (const SAveraged& item : items) {
        // An item without a curve reads the close of the quotes.
        const std::size_t bars = item.x ? item.x->size() : closeBars;
        CurvePtr y = curve(item);
        if (bars > 0 && item.n >= 1) {
            y->values.resize(bars);
            chains.push_back(chain(item, y->values.data(), WindowOf(item.n, bars)));
            lengths.push_back(bars);
        } else if (bars > 0) {
            y->values.assign(bars, kInvalid);
        }
        out.push_back(std::move(y));
    }
    RunChains(chains, lengths);
    return out;
}

std::vector<SAveraged> Items(const CCurve* x, std::span<const int> periods) {
    std::vector<SAveraged> items;
    for (int n : periods) items.push_back({x, n});
    return items;
}

std::vector<CurvePtr> CloseMeans(const CBarColumns& quotes, std::span<const int> periods) {
    const SRawRead close{quotes.Close().data()};
    return Averages<SMeanChain<SRawRead>>(
        Items(nullptr, periods),
        [&](const SAveraged& item) { return NewPeriodCurve(quotes.size(), "MA", item.n); },
        [&](const SAveraged&, float* out, std::size_t window) {
            return SMeanChain<SRawRead>{close, out, window};
        },
        quotes.size());
}

std::vector<CurvePtr> ZeroReadMeans(std::span<const SAveraged> items) {
    return Averages<SMeanChain<SZeroRead>>(
        items,
        [](const SAveraged& item) {
            return NewPeriodCurve(item.x->size(), "MA(" + item.x->name + ")", item.n);
        },
        [](const SAveraged& item, float* out, std::size_t window) {
            return SMeanChain<SZeroRead>{{item.x->values.data()}, out, window};
        });
}

std::vector<CurvePtr> ExpAverages(std::span<const SAveraged> items) {
    return Averages<SExpChain<SZeroRead>>(
        items,
        [](const SAveraged& item) {
            return NewPeriodCurve(item.x->size() + 1, "EMA(" + item.x->name + ")", item.n);
        },
        [](const SAveraged& item, float* out, std::size_t window) {
            return SExpChain<SZeroRead>{{item.x->values.data()}, out, window, item.x->size()};
        });
}

std::vector<CurvePtr> WeightedAverages(const CCurve& x, const CCurve& w,
                                       std::span<const int> periods) {
    const std::size_t bars = x.size();
    const auto curve = [&](const SAveraged& item) {
        return NewPeriodCurve(bars, "WMA(" + x.name + "," + w.name + ")", item.n);
    };
    if (!LengthsAgree(bars, w.size())) {
        std::vector<CurvePtr> out;
        for (int n : periods) out.push_back(AllInvalid(curve({&x, n}), bars));
        return out;
    }
    const SZeroRead xs{x.values.data()}, ws{w.values.data()};
    return Averages<SWeightedChain<SZeroRead>>(
        Items(&x, periods), curve, [&](const SAveraged&, float* out, std::size_t window) {
            return SWeightedChain<SZeroRead>{xs, ws, out, window};
        });
}

// SMA(x, n, m) for m below n: y[i] = (m*x[i] + (n-m)*y[i-1]) / n from y[0] = x[0].
struct SSmoothChain {
    SZeroRead at;
    float* out;
    float fn, fm, fRest;
    float prev = 0.0f;

    void Start() {
        prev = at(0);
        out[0] = prev;
    }
    std::size_t Begin() const { return 1; }
    void Step(std::size_t i) {
        prev = (fm * at(i) + fRest * prev) / fn;
        out[i] = prev;
    }
};

std::vector<CurvePtr> Smoothings(std::span<const SAveraged> items, int m) {
    const long long weight = std::llabs(m);
    std::vector<CurvePtr> out;
    std::vector<SSmoothChain> chains;
    std::vector<std::size_t> lengths;
    for (const SAveraged& item : items) {
        const CCurve& x = *item.x;
        // With the whole weight on the new value the smoothing is the input itself.
        if (weight >= item.n) {
            out.push_back(Copy(x));
            continue;
        }
        auto y = NewPeriodCurve(x.size(), "SMA(" + x.name + ")", item.n);
        y->parameter = std::to_string(item.n) + "," + std::to_string(weight);
        if (!x.empty()) {
            y->values.resize(x.size());
            chains.push_back({{x.values.data()}, y->values.data(), float(item.n), float(weight),
                              float(item.n - weight)});
            lengths.push_back(x.size());
        }
        out.push_back(std::move(y));
    }
    RunChains(chains, lengths);
    return out;
}

CurvePtr Single(std::vector<CurvePtr> curves) {
    return std::move(curves.front());
}

} // namespace

CurvePtr MA(const CBarColumns& quotes, int n) {
    return Single(CloseMeans(quotes, std::span<const int>(&n, 1)));
}

CurvePtr MA(CurvePtr x, int n) {
    return MA(*x, n);
}

CurvePtr MA(const CCurve& x, int n) {
    const SAveraged item{&x, n};
    return Single(ZeroReadMeans(std::span<const SAveraged>(&item, 1)));
}

std::vector<CurvePtr> MAs(const CBarColumns& quotes, std::span<const int> periods) {
    return CloseMeans(quotes, periods);
}

std::vector<CurvePtr> MAs(const CCurve& x, std::span<const int> periods) {
    return ZeroReadMeans(Items(&x, periods));
}

std::vector<CurvePtr> MAs(std::span<const SAveraged> items) {
    return ZeroReadMeans(items);
}

CurvePtr SMA(CurvePtr x, int n, int m) {
    if (std::llabs(m) >= n) return x;
    const SAveraged item{x.get(), n};
    return Single(Smoothings(std::span<const SAveraged>(&item, 1), m));
}

std::vector<CurvePtr> SMAs(std::span<const SAveraged> items, int m) {
    return Smoothings(items, m);
}

std::pair<CurvePtr, CurvePtr> SMAAndItsSMA(const CCurve& x, int n, int m) {
    const long long weight = std::llabs(m);
    if (weight >= n || x.empty()) {
        CurvePtr first = SMA(Copy(x), n, m);
        CurvePtr second = SMA(Copy(*first), n, m);
        return {std::move(first), std::move(second)};
    }
    CurvePtr first = NewPeriodCurve(x.size(), "SMA(" + x.name + ")", n);
    first->parameter = std::to_string(n) + "," + std::to_string(weight);
    CurvePtr second = NewPeriodCurve(x.size(), "SMA(" + first->name + ")", n);
    second->parameter = first->parameter;
    first->values.resize(x.size());
    second->values.resize(x.size());
    const float fn = float(n), fm = float(weight), fRest = float(n - weight);
    SSmoothChain a{{x.values.data()}, first->values.data(), fn, fm, fRest};
    SSmoothChain b{{first->values.data()}, second->values.data(), fn, fm, fRest};
    a.Start();
    b.Start();
    // The second reads the first's value of the same bar.
    for (std::size_t i = 1; i < x.size(); ++i) {
        a.Step(i);
        b.Step(i);
    }
    return {std::move(first), std::move(second)};
}

CurvePtr EMA(CurvePtr x, int n) {
    const SAveraged item{x.get(), n};
    return Single(ExpAverages(std::span<const SAveraged>(&item, 1)));
}

std::vector<CurvePtr> EMAs(const CCurve& x, std::span<const int> periods) {
    return ExpAverages(Items(&x, periods));
}

std::vector<CurvePtr> EMAs(std::span<const SAveraged> items) {
    return ExpAverages(items);
}

std::pair<CurvePtr, CurvePtr> EMADifferenceAndSignal(const CCurve& x, int fast, int slow,
                                                     int signal) {
    const std::size_t bars = x.size();
    const auto composed = [&] {
        CurvePtr difference = Sub(EMA(Copy(x), fast), EMA(Copy(x), slow));
        CurvePtr average = EMA(Copy(*difference), signal);
        return std::pair{std::move(difference), std::move(average)};
    };
    if (fast < 1 || slow < 1 || signal < 1) return composed();
    const std::size_t first = std::max(fast, slow) + std::size_t(1);
    // The signal's chain starts once the difference has its first `signal` bars.
    if (first >= bars || std::size_t(signal) + 1 > first) return composed();

    CurvePtr fastCurve = NewPeriodCurve(0, "EMA(" + x.name + ")", fast);
    CurvePtr slowCurve = NewPeriodCurve(0, "EMA(" + x.name + ")", slow);
    CurvePtr difference = NewCurve(bars);
    difference->name = fastCurve->name + "-" + slowCurve->name;
    difference->parameter = fastCurve->parameter + "," + slowCurve->parameter;
    CurvePtr average = NewPeriodCurve(bars + 1, "EMA(" + difference->name + ")", signal);
    std::vector<float> fastValues(bars), slowValues(bars);
    difference->values.resize(bars);
    average->values.resize(bars);
    float* d = difference->values.data();
    const SZeroRead at{x.values.data()};
    SExpChain<SZeroRead> a{at, fastValues.data(), std::size_t(fast), bars};
    SExpChain<SZeroRead> b{at, slowValues.data(), std::size_t(slow), bars};
    SExpChain<SZeroRead> s{{d}, average->values.data(), std::size_t(signal), bars};
    a.Start();
    b.Start();
    for (std::size_t i = a.Begin(); i < first; ++i) a.Step(i);
    for (std::size_t i = b.Begin(); i < first; ++i) b.Step(i);
    for (std::size_t i = 0; i < first; ++i) d[i] = fastValues[i] - slowValues[i];
    s.Start();
    for (std::size_t i = s.Begin(); i < first; ++i) s.Step(i);
    // Then all three bar by bar, the signal reading the difference of the same bar.
    for (std::size_t i = first; i < bars; ++i) {
        a.Step(i);
        b.Step(i);
        d[i] = fastValues[i] - slowValues[i];
        s.Step(i);
    }
    return {std::move(difference), std::move(average)};
}

CurvePtr WMA(CurvePtr x, CurvePtr w, int n) {
    return Single(WeightedAverages(*x, *w, std::span<const int>(&n, 1)));
}

std::vector<CurvePtr> WMAs(const CCurve& x, const CCurve& w, std::span<const int> periods) {
    return WeightedAverages(x, w, periods);
}

} // namespace Series
