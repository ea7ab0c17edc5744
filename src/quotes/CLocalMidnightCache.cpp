#include "CLocalMidnightCache.h"

namespace {
constexpr int64_t kUnknown = INT64_MIN;
constexpr int64_t kNoSuchDay = INT64_MIN + 1;
constexpr int64_t kOutOfRange = INT64_MIN + 2;
} // namespace

ELocalMidnight CLocalMidnightCache::Get(int year, int month, int day, int32_t& date) {
    bool cacheable = year >= kFirstYear && year < kFirstYear + kYears && month >= 1 &&
                     month <= 12 && day >= 1 && day <= 31;
    if (!cacheable) return LocalMidnight(year, month, day, date);
    if (m_years.empty()) m_years.resize(kYears);
    std::vector<int64_t>& slots = m_years[year - kFirstYear];
    if (slots.empty()) slots.assign(kSlotsPerYear, kUnknown);
    int64_t& slot = slots[(month - 1) * 31 + (day - 1)];
    if (slot == kUnknown) {
        int32_t computed = 0;
        ELocalMidnight result = LocalMidnight(year, month, day, computed);
        slot = result == ELocalMidnight::Ok          ? computed
               : result == ELocalMidnight::NoSuchDay ? kNoSuchDay
                                                     : kOutOfRange;
    }
    if (slot == kNoSuchDay) return ELocalMidnight::NoSuchDay;
    if (slot == kOutOfRange) return ELocalMidnight::OutOfRange;
    date = static_cast<int32_t>(slot);
    return ELocalMidnight::Ok;
}
