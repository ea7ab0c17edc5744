#include "QuoteLineDate.h"
#include "QuoteFields.h"
#include "ctlkit/base/IniFile.h"
#include <ctime>

namespace {
constexpr uint32_t PackedName(const char* name) {
    return uint32_t(uint8_t(name[0])) << 16 | uint32_t(uint8_t(name[1])) << 8 | uint8_t(name[2]);
}
} // namespace

int QuoteMonthNumberAt(const char* name) {
    // One comparison of three bytes at once instead of up to twelve text comparisons.
    switch (PackedName(name)) {
    case PackedName("Jan"): return 1;
    case PackedName("Feb"): return 2;
    case PackedName("Mar"): return 3;
    case PackedName("Apr"): return 4;
    case PackedName("May"): return 5;
    case PackedName("Jun"): return 6;
    case PackedName("Jul"): return 7;
    case PackedName("Aug"): return 8;
    case PackedName("Sep"): return 9;
    case PackedName("Oct"): return 10;
    case PackedName("Nov"): return 11;
    case PackedName("Dec"): return 12;
    default: return 0;
    }
}

int QuoteMonthNumber(std::string_view name) {
    return name.size() == 3 ? QuoteMonthNumberAt(name.data()) : 0;
}

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Four digits of an ISO date or a four-digit year, checked by the caller.
int FourDigits(const char* t) {
    return (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[3] - '0');
}

// 2005-12-05: every digit in its place, so that no two-digit form can be taken for it.
bool IsIsoForm(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!IsDigit(text[i])) return false;
    return true;
}

// d-Mon-yyyy: "-" before the month and before a year of four digits.
bool IsFourDigitYearForm(std::string_view text, bool strict) {
    const size_t length = text.size();
    if (length < 10 || (strict && length > 11)) return false;
    if (text[length - 5] != '-' || text[length - 9] != '-') return false;
    for (size_t i = length - 4; i < length; ++i)
        if (!IsDigit(text[i])) return false;
    return true;
}
} // namespace

EQuoteDate ParseQuoteDate(std::string_view text, EQuoteDateRule rule, SQuoteDay& day) {
    const bool strict = rule == EQuoteDateRule::Strict;
    size_t length = text.size();
    if (IsIsoForm(text)) {
        SQuoteDay parsed{FourDigits(text.data()), (text[5] - '0') * 10 + (text[6] - '0'),
                         (text[8] - '0') * 10 + (text[9] - '0')};
        if (parsed.month < 1 || parsed.month > 12) return EQuoteDate::UnknownMonth;
        day = parsed;
        return EQuoteDate::Ok;
    }
    if (IsFourDigitYearForm(text, strict)) {
        SQuoteDay parsed;
        parsed.month = QuoteMonthNumber(text.substr(length - 8, 3));
        if (parsed.month == 0) return EQuoteDate::UnknownMonth;
        std::string_view dayText = text.substr(0, length - 9);
        if (strict) {
            if (!ReadDigits(dayText, parsed.day)) return EQuoteDate::Malformed;
        } else {
            parsed.day = ParseLeadingInt(dayText);
        }
        parsed.year = FourDigits(text.data() + length - 4);
        day = parsed;
        return EQuoteDate::Ok;
    }
    if (length < (strict ? 6u : 8u)) return EQuoteDate::TooShort;
    int month = QuoteMonthNumber(text.substr(length - 6, 3));
    if (month == 0) return EQuoteDate::UnknownMonth;
    std::string_view dayText = text.substr(0, length - 7), yearText = text.substr(length - 2);
    SQuoteDay parsed;
    parsed.month = month;
    if (strict) {
        if (length < 8 || length > 9 || text[length - 7] != '-' || text[length - 3] != '-')
            return EQuoteDate::Malformed;
        if (!ReadDigits(dayText, parsed.day) || !ReadDigits(yearText, parsed.year))
            return EQuoteDate::Malformed;
    } else {
        parsed.day = ParseLeadingInt(dayText);
        parsed.year = ParseLeadingInt(yearText);
    }
    parsed.year += parsed.year < 50 ? 2000 : 1900;
    day = parsed;
    return EQuoteDate::Ok;
}

int64_t LocalMidnightSeconds(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

EQuoteLineDate ReadQuoteLineDate(std::string_view line, int64_t& midnight) {
    SQuoteDay day;
    switch (ParseQuoteDate(line.substr(0, line.find(',')), EQuoteDateRule::Loose, day)) {
    case EQuoteDate::Ok:
        midnight = LocalMidnightSeconds(day.year, day.month, day.day);
        return EQuoteLineDate::Ok;
    case EQuoteDate::UnknownMonth:
        return EQuoteLineDate::UnknownMonth;
    default:
        return EQuoteLineDate::TooShort;
    }
}
