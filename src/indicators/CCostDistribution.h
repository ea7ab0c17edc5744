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
//
// The table keeps the record of every 256th bar and the prices and volume of every bar
// (about 15 bytes a bar instead of 808); the record of any other bar is computed forward
// from the checkpoint before it with the same steps, so every answer is bit for bit the
// record a full table would hold.
class CCostDistribution {
public:
    static constexpr int kBins = 200;
    static constexpr int kLowField = 200;
    static constexpr int kHighField = 201;
    static constexpr std::size_t kCheckpointEvery = 256;
    using Record = std::array<float, 202>;

    // Replaces the table with one record per bar of `bars`.
    void Rebuild(const std::vector<SQuote>& bars);
    void Clear();

    std::size_t Size() const { return m_bars.size(); }
    bool Empty() const { return m_bars.empty(); }
    // The record of `bar`. The last answer is kept, and a call for a later bar of the same
    // stretch continues from it, so walking forward costs one step a bar. Not to be called
    // from two threads at once.
    Record At(std::size_t bar) const;
    // What the table holds, in bytes.
    std::size_t MemoryBytes() const;

    // The record of a first bar, and the record that follows `previous` with `bar` added.
    static Record First(const SQuote& bar);
    static Record Next(const Record& previous, const SQuote& bar);

private:
    struct SBarTrade {
        float high, low, volume;
    };
    static void Start(Record& record, const SBarTrade& bar);
    // Turns the record of the bar before into that of `bar`, in place.
    static void Step(Record& record, const SBarTrade& bar);

    std::vector<SBarTrade> m_bars;
    std::vector<Record> m_checkpoints; // the record of bar k * kCheckpointEvery
    mutable Record m_answer{};
    mutable std::size_t m_answerBar = 0;
    mutable bool m_answered = false;
};
