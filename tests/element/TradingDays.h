#pragma once
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Bar dates for the remapping tests: trading days, and weeks and four-week bars built from them.
namespace TradingDates {
inline constexpr int32_t kDay = 86400;

// Trading days from day 0 (a Thursday) for `count` calendar days: weekends left out, and the
// listed days missing too (holidays, gaps in the file).
inline std::vector<int32_t> TradingDays(int count, std::initializer_list<int> missing = {}) {
    std::vector<int32_t> dates;
    for (int day = 0; day < count; ++day) {
        const int weekday = (day + 3) % 7; // 0 Monday
        if (weekday >= 5 || std::find(missing.begin(), missing.end(), day) != missing.end())
            continue;
        dates.push_back(day * kDay);
    }
    return dates;
}

// Each bar dated by its first day, grouping days by `groupOf`.
template <typename Group>
std::vector<int32_t> Grouped(const std::vector<int32_t>& days, Group groupOf) {
    std::vector<int32_t> bars;
    int last = -1;
    for (int32_t date : days) {
        const int group = groupOf(date / kDay);
        if (bars.empty() || group != last) bars.push_back(date);
        last = group;
    }
    return bars;
}

inline std::vector<int32_t> Weeks(const std::vector<int32_t>& days) {
    return Grouped(days, [](int day) { return (day + 3) / 7; });
}

inline std::vector<int32_t> FourWeeks(const std::vector<int32_t>& days) {
    return Grouped(days, [](int day) { return (day + 3) / 28; });
}
} // namespace TradingDates
