#pragma once
#include <cstdint>
#include <string_view>

// The date of a line of a historical-quote answer: the text before its first comma, in the
// form day-month name-two-digit year (5-Jan-05, 15-Jan-05). Shared by the transfer's end
// check and the renewal merge, which must judge a line alike.
enum class EQuoteLineDate {
    Ok,
    TooShort,     // the date text has fewer than 8 characters: not a date line
    UnknownMonth, // the month is none of "Jan" ... "Dec" (compared exactly)
};

// The year is the number in the last two characters (below 50: 2000 + year, else 1900 +
// year), the day the number in all but the last seven characters, the month the first three
// of the last six characters. `midnight` gets local midnight of that day in seconds since
// 1970.
EQuoteLineDate ReadQuoteLineDate(std::string_view line, int64_t& midnight);

// Local midnight of a calendar day (month 1..12), as mktime normalises it.
int64_t LocalMidnightSeconds(int year, int month, int day);
