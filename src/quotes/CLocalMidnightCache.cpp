#include "CLocalMidnightCache.h"
#include <ctime>
#include <limits>

namespace {
constexpr int64_t kUnknown = INT64_MIN;
constexpr int64_t kNoSuchDay = INT64_MIN + 1;
constexpr int64_t kOutOfRange = INT64_MIN + 2;
constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool LocalTime(int64_t when, std::tm& tm) {
    const std::time_t t = static_cast<std::time_t>(when);
    return localtime_r(&t, &tm) != nullptr;
}
} // namespace

bool CLocalMidnightCache::DeriveMidnight(int year, int month, int day, int64_t& midnight) {
    const int64_t utcMidnight = DaysFromCivil(year, month, day) * kSecondsPerDay;
    std::tm tm{};
    if (!m_knowsOffset) {
        if (!LocalTime(utcMidnight, tm)) return false;
        m_offset = tm.tm_gmtoff;
        m_knowsOffset = true;
    }
    // A second try with the offset found at the first guess covers a change since the last day.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int64_t guess = utcMidnight - m_offset;
        if (!LocalTime(guess, tm)) return false;
        if (tm.tm_gmtoff != m_offset) {
            m_offset = tm.tm_gmtoff;
            continue;
        }
        if (tm.tm_year != year - 1900 || tm.tm_mon != month - 1 || tm.tm_mday != day ||
            tm.tm_hour != 0 || tm.tm_min != 0 || tm.tm_sec != 0)
            return false; // leap seconds in the zone, or no such local time
        // Another instant with the same local time would lie within a day of this one and
        // carry another offset; with the same offset a day either side there is none.
        std::tm before{}, after{};
        if (!LocalTime(guess - kSecondsPerDay, before) || !LocalTime(guess + kSecondsPerDay, after))
            return false;
        if (before.tm_gmtoff != m_offset || after.tm_gmtoff != m_offset) return false;
        midnight = guess;
        return true;
    }
    return false;
}

ELocalMidnight CLocalMidnightCache::Compute(int year, int month, int day, int32_t& date) {
    if (day < 1 || day > DaysInMonth(year, month)) return ELocalMidnight::NoSuchDay;
    int64_t midnight = 0;
    if (!DeriveMidnight(year, month, day, midnight)) return LocalMidnight(year, month, day, date);
    // The bounds LocalMidnight puts on what mktime gives, -1 (its failure) included.
    if (midnight == -1 || midnight < std::numeric_limits<int32_t>::min() ||
        midnight > std::numeric_limits<int32_t>::max())
        return ELocalMidnight::OutOfRange;
    date = static_cast<int32_t>(midnight);
    return ELocalMidnight::Ok;
}

ELocalMidnight CLocalMidnightCache::Get(int year, int month, int day, int32_t& date) {
    bool cacheable = year >= kFirstYear && year < kFirstYear + kYears && month >= 1 &&
                     month <= 12 && day >= 1 && day <= 31;
    if (!cacheable) return Compute(year, month, day, date);
    if (m_years.empty()) m_years.resize(kYears);
    std::vector<int64_t>& slots = m_years[year - kFirstYear];
    if (slots.empty()) slots.assign(kSlotsPerYear, kUnknown);
    int64_t& slot = slots[(month - 1) * 31 + (day - 1)];
    if (slot == kUnknown) {
        int32_t computed = 0;
        ELocalMidnight result = Compute(year, month, day, computed);
        slot = result == ELocalMidnight::Ok          ? computed
               : result == ELocalMidnight::NoSuchDay ? kNoSuchDay
                                                     : kOutOfRange;
    }
    if (slot == kNoSuchDay) return ELocalMidnight::NoSuchDay;
    if (slot == kOutOfRange) return ELocalMidnight::OutOfRange;
    date = static_cast<int32_t>(slot);
    return ELocalMidnight::Ok;
}
