#include "LocalDate.h"
#include <ctime>
#include <limits>

SLocalDay LocalDayOf(int32_t date) {
    std::time_t t = date;
    std::tm tm{};
    SLocalDay day;
    if (!localtime_r(&t, &tm)) return day;
    day.year = tm.tm_year + 1900;
    day.month = tm.tm_mon + 1;
    day.day = tm.tm_mday;
    day.weekday = tm.tm_wday + 1;
    return day;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

ELocalMidnight LocalMidnight(int year, int month, int day, int32_t& date) {
    if (day < 1 || day > DaysInMonth(year, month)) return ELocalMidnight::NoSuchDay;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) return ELocalMidnight::OutOfRange;
    if (t < std::numeric_limits<int32_t>::min() || t > std::numeric_limits<int32_t>::max())
        return ELocalMidnight::OutOfRange;
    date = static_cast<int32_t>(t);
    return ELocalMidnight::Ok;
}
