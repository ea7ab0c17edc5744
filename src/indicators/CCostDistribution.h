#pragma once
#include "quotes/SQuote.h"
#include <array>
#include <cstddef>
#include <vector>

// The volume-at-price histogram of everything traded up to and including each bar: one
// record per bar of 200 bin weights (lowest price first), then the lowest and the highest
// price of the bin range. Weights are volume x 0.0001 per unit of price and only
// accumulate; a widened range squeezes the older weights into the bins the old range now
// covers, keeping every k-th old bin.
class CCostDistribution {
public:
    static constexpr int kBins = 200;
    static constexpr int kLowField = 200;
    static constexpr int kHighField = 201;
    using Record = std::array<float, 202>;

    // Replaces the table with one record per bar of `bars`.
    void Rebuild(const std::vector<SQuote>& bars);
    void Clear() { m_records.clear(); }

    std::size_t Size() const { return m_records.size(); }
    bool Empty() const { return m_records.empty(); }
    const Record& At(std::size_t bar) const { return m_records[bar]; }

    // The record of a first bar, and the record that follows `previous` with `bar` added.
    static Record First(const SQuote& bar);
    static Record Next(const Record& previous, const SQuote& bar);

private:
    std::vector<Record> m_records;
};
