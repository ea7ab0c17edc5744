#include "QuoteLineDate.h"
#include "IniFile.h"
#include <ctime>

namespace {
constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int MonthNumber(std::string_view name) {
    for (int i = 0; i < 12; ++i)
        if (kMonths[i] == name) return i + 1;
    return 0;
}
} // namespace

int64_t LocalMidnightSeconds(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

EQuoteLineDate ReadQuoteLineDate(std::string_view line, int64_t& midnight) {
    std::string_view date = line.substr(0, line.find(','));
    if (date.size() < 8) return EQuoteLineDate::TooShort;
    size_t length = date.size();
    int month = MonthNumber(date.substr(length - 6, 3));
    if (month == 0) return EQuoteLineDate::UnknownMonth;
    int year = ParseLeadingInt(date.substr(length - 2));
    year += year < 50 ? 2000 : 1900;
    int day = ParseLeadingInt(date.substr(0, length - 7));
    midnight = LocalMidnightSeconds(year, month, day);
    return EQuoteLineDate::Ok;
}
