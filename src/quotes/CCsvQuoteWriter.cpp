#include "CCsvQuoteWriter.h"
#include "LocalDate.h"
#include "QuoteFileFormat.h"
#include "QuoteLineDate.h"
#include <charconv>
#include <cstdio>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

void AppendChars(std::string& out, const char* begin, const char* end) {
    out.append(begin, static_cast<size_t>(end - begin));
}
} // namespace

void CCsvQuoteWriter::AppendPrice(std::string& out, float value) {
    // A float has 24 significant bits and 100 has 7, so the product is exact in a double and
    // rounding it to an integer (ties to even, as printf does) gives the cents exactly.
    double cents = static_cast<double>(value) * 100.0;
    if (std::fabs(cents) < 9.0e18) {
        int64_t whole = static_cast<int64_t>(std::nearbyint(cents));
        uint64_t magnitude = static_cast<uint64_t>(whole < 0 ? -whole : whole);
        if (std::signbit(value)) out += '-'; // printf keeps the sign of -0.001 as "-0.00"
        char buffer[24];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 100);
        AppendChars(out, buffer, result.ptr);
        out += '.';
        AppendTwoDigits(out, static_cast<int>(magnitude % 100));
        return;
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                std::chars_format::fixed, 2);
    AppendChars(out, buffer, result.ptr);
}

void CCsvQuoteWriter::AppendVolume(std::string& out, float value) {
    constexpr float kLimit = 9223372036854775808.0f; // 2^63
    int64_t whole = 0;
    if (std::isnan(value))
        whole = 0;
    else if (value >= kLimit)
        whole = std::numeric_limits<int64_t>::max();
    else if (value <= -kLimit)
        whole = std::numeric_limits<int64_t>::min();
    else
        whole = static_cast<int64_t>(value); // cuts toward zero
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, whole);
    AppendChars(out, buffer, result.ptr);
}

void CCsvQuoteWriter::AppendDate(std::string& out, int32_t date) {
    SLocalDay day = LocalDayOf(date);
    AppendTwoDigits(out, day.day);
    out += '-';
    out += kQuoteMonthNames[(day.month - 1) % 12];
    out += '-';
    AppendTwoDigits(out, ((day.year % 100) + 100) % 100);
}

std::string CCsvQuoteWriter::UnwritableDate(const std::vector<SQuote>& quotes) {
    // Local midnight of 1 January 1950 bounds the days below; 2050 lies beyond every 32-bit
    // date, so nothing bounds them above. Worked out per call: the zone may have changed.
    int32_t first = 0;
    if (LocalMidnight(1950, 1, 1, first) != ELocalMidnight::Ok) return {};
    for (const SQuote& quote : quotes) {
        if (quote.date >= first) continue;
        const SLocalDay day = LocalDayOf(quote.date);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
        return std::string("The quote of ") + text +
               " cannot be stored: quote files hold the years 1950 to 2049 only.";
    }
    return {};
}

std::string CCsvQuoteWriter::Format(const std::vector<SQuote>& oldestFirst) {
    std::string out;
    out.reserve(kCsvQuoteHeader.size() + 1 + oldestFirst.size() * 56);
    out += kCsvQuoteHeader;
    out += '\n';
    std::string dateText;
    int32_t lastDate = 0;
    for (auto it = oldestFirst.rbegin(); it != oldestFirst.rend(); ++it) {
        if (dateText.empty() || it->date != lastDate) {
            dateText.clear();
            AppendDate(dateText, it->date);
            lastDate = it->date;
        }
        out += dateText;
        out += ',';
        for (float price : {it->open, it->high, it->low, it->close}) {
            AppendPrice(out, price);
            out += ',';
        }
        AppendVolume(out, it->volume);
        out += ',';
        AppendPrice(out, it->adjClose);
        out += '\n';
    }
    return out;
}
