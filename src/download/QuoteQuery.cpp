#include "QuoteQuery.h"
#include "quotes/QuoteLineDate.h"
#include <cstdio>
#include <ctime>

namespace {
std::tm LocalTm(int64_t seconds) {
    time_t t = static_cast<time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}
} // namespace

std::string UrlEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

std::string BuildQueryUrl(const std::string& server, const std::string& ticker, int64_t startDate,
                          int64_t now) {
    std::tm today = LocalTm(now);
    std::tm start = LocalTm(startDate);
    char query[256];
    std::snprintf(query, sizeof query, "&d=%d&e=%d&f=%d&g=d&a=%d&b=%d&c=%d&ignore=.csv",
                  today.tm_mon, today.tm_mday, today.tm_year + 1900, start.tm_mon, start.tm_mday,
                  start.tm_year + 1900);
    return server + "/table.csv?s=" + UrlEncode(ticker) + query;
}

int64_t MissingFileStartDate() {
    return LocalMidnightSeconds(2000, 1, 1);
}
int64_t ReDownloadStartDate() {
    return LocalMidnightSeconds(1995, 1, 1);
}
int64_t RenewalQueryStartDate() {
    return LocalMidnightSeconds(1980, 1, 1);
}

CWebGrab::ELineDate ReadAnswerLineDate(std::string_view line, int64_t& midnight) {
    switch (ReadQuoteLineDate(line, midnight)) {
    case EQuoteLineDate::Ok:
        return CWebGrab::ELineDate::Dated;
    case EQuoteLineDate::UnknownMonth:
        return CWebGrab::ELineDate::UnknownFormat;
    case EQuoteLineDate::TooShort:
        break;
    }
    return CWebGrab::ELineDate::NotADate;
}
