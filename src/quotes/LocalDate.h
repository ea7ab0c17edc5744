#pragma once
#include <cstdint>
#include <optional>

// A trading day on the local calendar. Weekday 1 = Sunday ... 7 = Saturday.
struct SLocalDay {
    int year = 1970;
    int month = 1;
    int day = 1;
    int weekday = 5;
};

// The local calendar day that a stored date value falls on.
SLocalDay LocalDayOf(int32_t date);

// Days in a month of the Gregorian calendar; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Outcome of turning a calendar day into a stored date value.
enum class ELocalMidnight { Ok, NoSuchDay, OutOfRange };

// Local midnight of the day (year, month 1-12, day) as a signed 32-bit count of seconds.
// A day the month does not have is refused, never rolled into the next month; so is a day
// whose midnight lies outside the 32-bit range.
ELocalMidnight LocalMidnight(int year, int month, int day, int32_t& date);
