#pragma once
#include "SQuote.h"
#include <string>
#include <vector>

// Formats quotes in the CSV quote format, newest first: the header, then per quote
// "05-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95" (day and year two digits, prices with two
// decimals as "%.2f" gives them, the volume cut toward zero to a whole number).
class CCsvQuoteWriter {
public:
    // The whole file for `oldestFirst`, written from its last quote to its first. Ask
    // UnwritableDate first: a day outside 1950 to 2049 would be written a century off.
    static std::string Format(const std::vector<SQuote>& oldestFirst);

    // Empty when the two-digit years hold every quote's day (1950 to 2049); else why the
    // quotes cannot be written, naming the first such day.
    static std::string UnwritableDate(const std::vector<SQuote>& quotes);

    // One price as "%.2f" prints the float.
    static void AppendPrice(std::string& out, float value);
    // The volume cut toward zero as a 64-bit whole number; NaN writes 0 and values beyond
    // the 64-bit range write its nearest end.
    static void AppendVolume(std::string& out, float value);
    // "%d-%b-%y" of the local day, with English month names whatever the locale.
    static void AppendDate(std::string& out, int32_t date);
};
