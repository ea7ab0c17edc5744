#include "CCostDistribution.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr float kWeightScale = 0.0001f;

// Bin position of `price` in the range from `low` spanning `span`, cut toward zero and kept
// within 0..200 (a value that is not a number gives 0).
int BinOf(float price, float low, float span) {
    const float position = (price - low) / span * 200.0f;
    if (!(position > 0.0f)) return 0;
    if (position >= 200.0f) return 200;
    return static_cast<int>(position);
}

bool Usable(const SQuote& bar) {
    return std::isfinite(bar.high) && std::isfinite(bar.low) && std::isfinite(bar.volume);
}

} // namespace

void CCostDistribution::Rebuild(const std::vector<SQuote>& bars) {
    m_records.clear();
    if (bars.empty()) return;
    m_records.reserve(bars.size());
    m_records.push_back(First(bars.front()));
    for (std::size_t i = 1; i < bars.size(); ++i)
        m_records.push_back(Next(m_records.back(), bars[i]));
}

CCostDistribution::Record CCostDistribution::First(const SQuote& bar) {
    Record record{};
    // A flat (or inverted) first bar spreads its volume evenly instead of dividing by zero.
    const float weight = bar.high > bar.low ? bar.volume / (bar.high - bar.low) * kWeightScale
                                            : bar.volume * kWeightScale;
    std::fill(record.begin(), record.begin() + kBins, std::isfinite(weight) ? weight : 0.0f);
    record[kLowField] = bar.low;
    record[kHighField] = bar.high;
    return record;
}

CCostDistribution::Record CCostDistribution::Next(const Record& previous, const SQuote& bar) {
    const float pl = previous[kLowField];
    const float ph = previous[kHighField];
    // A table that began with a bar without prices starts over at the first bar that has them.
    if (!std::isfinite(pl) || !std::isfinite(ph)) return First(bar);
    const float nl = std::min(pl, bar.low);
    const float nh = std::max(ph, bar.high);
    const float span = nh - nl;
    // A range of one price so far (or a bar without usable prices) leaves nothing to
    // resample into: the previous record carries over unchanged.
    if (!Usable(bar) || !(span > 0.0f)) return previous;

    Record next{};
    const int a = BinOf(pl, nl, span);
    const int b = BinOf(ph, nl, span);
    const int k = b == a ? 200 : 200 / (b - a);
    for (int j = a; j < b; ++j) next[j] = previous[k * (j - a)];

    const int lo = BinOf(bar.low, nl, span);
    const int hi = BinOf(bar.high, nl, span);
    if (lo < hi) {
        const float weight = bar.volume / (bar.high - bar.low) * kWeightScale;
        for (int j = lo; j < hi; ++j) next[j] += weight;
    }
    next[kLowField] = nl;
    next[kHighField] = nh;
    return next;
}
