#pragma once
#include "LocalDate.h"
#include <cstdint>
#include <vector>

// Remembers LocalMidnight results for the years a quote file can name, so a long file costs
// one calendar conversion per distinct day instead of one per line. Lives for one read, so a
// change of the time zone between reads is always seen.
class CLocalMidnightCache {
public:
    ELocalMidnight Get(int year, int month, int day, int32_t& date);

private:
    static constexpr int kFirstYear = 1900;
    static constexpr int kYears = 200;
    static constexpr int kSlotsPerYear = 12 * 31;
    std::vector<std::vector<int64_t>> m_years; // a year's slots are allocated on first use
};
