#include "FlagSeries.h"
#include "Conditions.h"
#include "CurveMaking.h"
#include "Sources.h"

namespace Series {

STradeFlagData FlagSeries(CurvePtr s, CurvePtr p, int direction) {
    STradeFlagData flags;
    flags.direction = direction;
    const std::size_t bars = s->size();
    if (!LengthsAgree(bars, p->size())) {
        flags.values.assign(bars, 0.0f);
        return flags;
    }
    flags.values = std::move(p->values);
    float* out = flags.values.data();
    const float* signal = s->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = signal[i] != 0.0f ? out[i] : 0.0f;
    return flags;
}

namespace {

CurvePtr PriceCurve(std::span<const float> prices) {
    CurvePtr y = NewCurve(0);
    y->values.assign(prices.begin(), prices.end());
    return y;
}

} // namespace

std::pair<STradeFlagData, STradeFlagData> CrossingFlags(const CCurve& fast, const CCurve& slow,
                                                        std::span<const float> low,
                                                        std::span<const float> high) {
    const std::size_t bars = fast.size();
    if (bars == 0 || slow.size() != bars || low.size() != bars || high.size() != bars)
        return {FlagSeries(CROSS(Copy(fast), Copy(slow)), PriceCurve(low), 1),
                FlagSeries(CROSS(Copy(slow), Copy(fast)), PriceCurve(high), 0)};
    STradeFlagData buy, sell;
    buy.direction = 1;
    sell.direction = 0;
    buy.values.resize(bars);
    sell.values.resize(bars);
    const float *f = fast.values.data(), *s = slow.values.data();
    const float *lo = low.data(), *hi = high.data();
    float* bought = buy.values.data();
    float* sold = sell.values.data();
    for (std::size_t i = 1; i < bars; ++i) {
        const bool fastRises = (f[i - 1] <= s[i - 1]) & (f[i] > s[i]);
        const bool slowRises = (s[i - 1] <= f[i - 1]) & (s[i] > f[i]);
        bought[i] = fastRises ? lo[i] : 0.0f;
        sold[i] = slowRises ? hi[i] : 0.0f;
    }
    return {std::move(buy), std::move(sell)};
}

} // namespace Series
