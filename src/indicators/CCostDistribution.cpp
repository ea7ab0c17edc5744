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

} // namespace

void CCostDistribution::Clear() {
    m_bars.clear();
    m_checkpoints.clear();
    m_answered = false;
}

void CCostDistribution::Rebuild(const std::vector<SQuote>& bars) {
    Clear();
    if (bars.empty()) return;
    m_bars.reserve(bars.size());
    for (const SQuote& q : bars) m_bars.push_back({q.high, q.low, q.volume});
    m_checkpoints.reserve(bars.size() / kCheckpointEvery + 1);
    Record record;
    Start(record, m_bars.front());
    m_checkpoints.push_back(record);
    for (std::size_t i = 1; i < m_bars.size(); ++i) {
        Step(record, m_bars[i]);
        if (i % kCheckpointEvery == 0) m_checkpoints.push_back(record);
    }
}

CCostDistribution::Record CCostDistribution::At(std::size_t bar) const {
    const std::size_t checkpoint = bar / kCheckpointEvery;
    const std::size_t from = checkpoint * kCheckpointEvery;
    if (!m_answered || m_answerBar > bar || m_answerBar < from) {
        m_answer = m_checkpoints[checkpoint];
        m_answerBar = from;
        m_answered = true;
    }
    while (m_answerBar < bar) Step(m_answer, m_bars[++m_answerBar]);
    return m_answer;
}

std::size_t CCostDistribution::MemoryBytes() const {
    return m_bars.capacity() * sizeof(SBarTrade) + m_checkpoints.capacity() * sizeof(Record);
}

CCostDistribution::Record CCostDistribution::First(const SQuote& bar) {
    Record record;
    Start(record, {bar.high, bar.low, bar.volume});
    return record;
}

CCostDistribution::Record CCostDistribution::Next(const Record& previous, const SQuote& bar) {
    Record next = previous;
    Step(next, {bar.high, bar.low, bar.volume});
    return next;
}

void CCostDistribution::Start(Record& record, const SBarTrade& bar) {
    // A flat (or inverted) first bar spreads its volume evenly instead of dividing by zero.
    const float weight = bar.high > bar.low ? bar.volume / (bar.high - bar.low) * kWeightScale
                                            : bar.volume * kWeightScale;
    std::fill(record.begin(), record.begin() + kBins, std::isfinite(weight) ? weight : 0.0f);
    record[kLowField] = bar.low;
    record[kHighField] = bar.high;
}

void CCostDistribution::Step(Record& record, const SBarTrade& bar) {
    const float pl = record[kLowField];
    const float ph = record[kHighField];
    // A table that began with a bar without prices starts over at the first bar that has them.
    if (!std::isfinite(pl) || !std::isfinite(ph)) {
        Start(record, bar);
        return;
    }
    const float nl = std::min(pl, bar.low);
    const float nh = std::max(ph, bar.high);
    const float span = nh - nl;
    // A range of one price so far (or a bar without usable prices) leaves nothing to
    // resample into: the previous record carries over unchanged.
    const bool usable = std::isfinite(bar.high) && std::isfinite(bar.low) && std::isfinite(bar.volume);
    if (!usable || !(span > 0.0f)) return;

    const int a = BinOf(pl, nl, span);
    const int b = BinOf(ph, nl, span);
    const int k = b == a ? 200 : 200 / (b - a);
    // An unchanged range maps every old bin onto itself: nothing moves.
    if (!(a == 0 && b == kBins && k == 1)) {
        const Record previous = record;
        std::fill(record.begin(), record.begin() + kBins, 0.0f);
        for (int j = a; j < b; ++j) record[j] = previous[k * (j - a)];
    }

    const int lo = BinOf(bar.low, nl, span);
    const int hi = BinOf(bar.high, nl, span);
    if (lo < hi) {
        const float weight = bar.volume / (bar.high - bar.low) * kWeightScale;
        for (int j = lo; j < hi; ++j) record[j] += weight;
    }
    record[kLowField] = nl;
    record[kHighField] = nh;
}
