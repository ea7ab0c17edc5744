#pragma once
#include <array>
#include <cstdint>
#include <string_view>

// The dates of quote lines: day-month name-two-digit year (5-Jan-05, 15-Jan-05), as this
// program writes them, and on reading also a four-digit year (5-Dec-1928) and the ISO form
// (2005-12-05) of files converted by hand or by other tools. One parser serves the quote-file
// reader, which refuses anything but these forms, and the transfer's end check and the
// renewal merge, which read a line as loosely as the downloaded answer needs.

// "Jan" ... "Dec", compared exactly.
inline constexpr std::array<std::string_view, 12> kQuoteMonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 1 ... 12 for a month name written exactly as in kQuoteMonthNames, 0 otherwise.
int QuoteMonthNumber(std::string_view name);
// The same for the three characters at `name`.
int QuoteMonthNumberAt(const char* name);

enum class EQuoteDateRule {
    // Shorter than 8 characters is too short; day and year are their leading digits (atoi).
    Loose,
    // Shorter than 6 is too short; 8 or 9 characters with "-" around the month and nothing
    // but digits in day and year, else malformed.
    Strict,
};

enum class EQuoteDate { Ok, TooShort, UnknownMonth, Malformed };

struct SQuoteDay {
    int year = 0; // two digits: 00-49 are 2000-2049, 50-99 are 1950-1999; four as written
    int month = 0;
    int day = 0;
};

// An ISO date (ten characters, "-" after the year and the month, digits elsewhere; a month
// outside 1 ... 12 is unknown) or a four-digit year after "-" (the month the three
// characters before it, the day what stands before the month; strictly at most 11
// characters) by their own rules. Else the month is the three characters six before the
// end, the two-digit year the last two, the day what stands before the month; the month is
// judged before the form of the rest.
EQuoteDate ParseQuoteDate(std::string_view text, EQuoteDateRule rule, SQuoteDay& day);

// The date of a line of a historical-quote answer: the text before its first comma, read by
// the loose rule. Shared by the transfer's end check and the renewal merge, which must judge a
// line alike.
enum class EQuoteLineDate {
    Ok,
    TooShort,     // the date text has fewer than 8 characters: not a date line
    UnknownMonth, // the month is none of "Jan" ... "Dec" (compared exactly)
};

// `midnight` gets local midnight of that day in seconds since 1970.
EQuoteLineDate ReadQuoteLineDate(std::string_view line, int64_t& midnight);

// Local midnight of a calendar day (month 1..12), as mktime normalises it.
int64_t LocalMidnightSeconds(int year, int month, int day);
