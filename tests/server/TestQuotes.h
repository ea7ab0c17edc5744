#pragma once
#include "quotes/QuoteLineDate.h"
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

// Quote texts of the service's form for the download tests and benchmarks.

inline const std::string kHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*";

// One quote line of the service's form for a calendar day.
inline std::string QuoteLine(int year, int month, int day, int seed = 0) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char line[96];
    std::snprintf(line, sizeof line, "%d-%s-%02d,%d.25,%d.50,%d.00,%d.75,%d,%d.75", day,
                  months[month - 1], year % 100, 10 + seed % 7, 11 + seed % 7, 9 + seed % 7,
                  10 + seed % 7, 100000 + seed, 10 + seed % 7);
    return line;
}

// Newest-first lines of the week days from (year, month, day) back, `count` of them.
inline std::vector<std::string> WeekdayLines(int year, int month, int day, int count) {
    std::vector<std::string> lines;
    int64_t midnight = LocalMidnightSeconds(year, month, day);
    for (int back = 0; static_cast<int>(lines.size()) < count; ++back) {
        time_t t = static_cast<time_t>(midnight) - static_cast<time_t>(back) * 86400 + 43200;
        std::tm tm{};
        localtime_r(&t, &tm);
        if (tm.tm_wday == 0 || tm.tm_wday == 6) continue;
        lines.push_back(QuoteLine(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, back));
    }
    return lines;
}

inline std::string QuoteText(const std::vector<std::string>& lines,
                             const std::string& header = kHeader) {
    std::string text = header + "\n";
    for (auto& line : lines) text += line + "\n";
    return text;
}

// A quote line of the quote file's form ("7-Jan-05,o,h,l,c,v,c") in the ISO form the newer
// services answer ("2005-01-07,o,h,l,c,v").
inline std::string IsoLine(const std::string& line) {
    const size_t comma = line.find(',');
    SQuoteDay day;
    ParseQuoteDate(line.substr(0, comma), EQuoteDateRule::Strict, day);
    char date[48];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year, day.month, day.day);
    return date + line.substr(comma, line.rfind(',') - comma);
}

// The lines (newest first) as an answer, oldest first when `oldestFirst`, under `header`,
// with line end `eol`.
inline std::string IsoAnswer(const std::vector<std::string>& newestFirst, bool oldestFirst,
                             const std::string& header, const std::string& eol = "\n") {
    std::string text = header + eol;
    if (oldestFirst) {
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
            text += IsoLine(*it) + eol;
    } else {
        for (const auto& line : newestFirst) text += IsoLine(line) + eol;
    }
    return text;
}
