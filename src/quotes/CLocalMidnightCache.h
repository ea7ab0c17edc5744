#pragma once
#include "LocalDate.h"
#include <cstdint>
#include <vector>

// Remembers LocalMidnight results for the years a quote file can name, so a long file costs
// one calendar conversion per distinct day instead of one per line. A day not seen yet is
// worked out from the offset to UTC of the day before (a few localtime_r calls, which unlike
// mktime do not look at the zone file again); only where that offset changes near the day is
// mktime asked. Lives for one read, so a change of the time zone between reads is always seen.
class CLocalMidnightCache {
public:
    ELocalMidnight Get(int year, int month, int day, int32_t& date);

    // Local midnight of a real day from its UTC day number and the zone's offset, when the
    // offset is the same for a day either side, so that midnight is neither skipped nor
    // repeated and mktime would give this very time. False when it cannot tell.
    bool DeriveMidnight(int year, int month, int day, int64_t& midnight);

private:
    static constexpr int kFirstYear = 1900;
    static constexpr int kYears = 200;
    static constexpr int kSlotsPerYear = 12 * 31;
    ELocalMidnight Compute(int year, int month, int day, int32_t& date);

    std::vector<std::vector<int64_t>> m_years; // a year's slots are allocated on first use
    long m_offset = 0;                         // seconds east of UTC at the last day worked out
    bool m_knowsOffset = false;
};
