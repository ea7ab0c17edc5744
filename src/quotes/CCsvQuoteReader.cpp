#include "CCsvQuoteReader.h"
#include "CTextLineReader.h"
#include "QuoteFields.h"
#include "QuoteFileFormat.h"
#include "QuoteLineDate.h"
#include <algorithm>

namespace {
constexpr size_t kShortestQuoteLine = 20;
} // namespace

CCsvQuoteReader::EResult CCsvQuoteReader::Read(const std::string& path, size_t limit,
                                               std::vector<SQuote>& newestFirst,
                                               SQuoteReadStats& stats) {
    CTextLineReader reader;
    std::string_view line;
    bool overlong = false;
    if (!reader.Open(path) || !reader.Next(line, overlong) || overlong || line != kCsvQuoteHeader) {
        stats.readError = reader.Failed();
        return EResult::NoHeader;
    }
    // No quote line is shorter than kShortestQuoteLine and its line feed: room for every
    // quote the file can hold up to the limit, so the output never moves while it fills. Pages
    // reserved and never written cost nothing.
    newestFirst.reserve(newestFirst.size() +
                        std::min(limit, reader.OpenedSize() / (kShortestQuoteLine + 1) + 1));
    size_t taken = 0;
    while (taken < limit && reader.Next(line, overlong)) {
        ++stats.lines;
        if (overlong) {
            ++stats.overlongLines;
            continue;
        }
        SQuote quote;
        ELine verdict = ParseLine(line, quote);
        stats.Count(verdict);
        if (verdict == ELine::UnknownMonth) return EResult::UnknownMonth;
        if (verdict != ELine::Quote) continue;
        newestFirst.push_back(quote);
        ++taken;
    }
    // Only a limit that left lines unread counts as a cut.
    stats.stoppedAtMaximum = taken >= limit && reader.Next(line, overlong);
    stats.readError = reader.Failed();
    return EResult::Read;
}

// One pass from left to right: the date up to the first comma, then each number read where
// it stands, so no field is looked for twice.
CCsvQuoteReader::ELine CCsvQuoteReader::ParseLine(std::string_view line, SQuote& quote) {
    if (line.size() < kShortestQuoteLine) return ELine::Short;
    if (line.front() == '<') return ELine::Markup;
    const char* p = line.data();
    const char* const end = p + line.size();
    const char* comma = p;
    while (comma != end && *comma != ',') ++comma;
    SQuote parsed;
    ELine dateVerdict = ParseDate(std::string_view(p, static_cast<size_t>(comma - p)), parsed.date);
    if (dateVerdict != ELine::Quote) return dateVerdict;
    p = comma == end ? end : comma + 1;
    bool numbers = ReadNumberField(p, end, parsed.open) && ReadNumberField(p, end, parsed.high) &&
                   ReadNumberField(p, end, parsed.low) && ReadNumberField(p, end, parsed.close) &&
                   ReadOptionalNumberField(p, end, parsed.volume) &&
                   ReadOptionalNumberField(p, end, parsed.adjClose);
    if (!numbers) return ELine::BadNumber;
    quote = parsed;
    return ELine::Quote;
}

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int FourDigits(const char* t) {
    return (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[3] - '0');
}
} // namespace

// "5-Dec-05" or "05-Dec-05" as written, "5-Dec-1928", "05-Dec-1928" or "2005-12-05" as other
// tools write, by the strict rule of ParseQuoteDate, judged in the same order: the forms of
// four-digit years, then too short, then the month, then the form of the rest.
CCsvQuoteReader::ELine CCsvQuoteReader::ParseDate(std::string_view text, int32_t& date) {
    const size_t length = text.size();
    if (length < 6) return ELine::BadDate;
    const char* t = text.data();
    int year = 0, month = 0, day = 0;
    // The lines this program writes are shorter: they pay one comparison here.
    if (length >= 10 && length <= 11) {
        if (length == 10 && t[4] == '-' && t[7] == '-' && IsDigit(t[0]) && IsDigit(t[1]) &&
            IsDigit(t[2]) && IsDigit(t[3]) && IsDigit(t[5]) && IsDigit(t[6]) && IsDigit(t[8]) &&
            IsDigit(t[9])) {
            year = FourDigits(t);
            month = (t[5] - '0') * 10 + (t[6] - '0');
            if (month < 1 || month > 12) return ELine::UnknownMonth;
            day = (t[8] - '0') * 10 + (t[9] - '0');
            return Midnight(year, month, day, date);
        }
        const char* y = t + length - 4;
        if (t[length - 5] == '-' && t[length - 9] == '-' && IsDigit(y[0]) && IsDigit(y[1]) &&
            IsDigit(y[2]) && IsDigit(y[3])) {
            month = QuoteMonthNumberAt(t + length - 8);
            if (month == 0) return ELine::UnknownMonth;
            if (!IsDigit(t[0]) || (length == 11 && !IsDigit(t[1]))) return ELine::BadDate;
            day = length == 11 ? (t[0] - '0') * 10 + (t[1] - '0') : t[0] - '0';
            return Midnight(FourDigits(y), month, day, date);
        }
    }
    month = QuoteMonthNumberAt(t + length - 6);
    if (month == 0) return ELine::UnknownMonth;
    if (length < 8 || length > 9 || t[length - 7] != '-' || t[length - 3] != '-')
        return ELine::BadDate;
    const char* y = t + length - 2;
    if (!IsDigit(y[0]) || !IsDigit(y[1]) || !IsDigit(t[0])) return ELine::BadDate;
    day = t[0] - '0';
    if (length == 9) {
        if (!IsDigit(t[1])) return ELine::BadDate;
        day = day * 10 + (t[1] - '0');
    }
    year = (y[0] - '0') * 10 + (y[1] - '0');
    year += year < 50 ? 2000 : 1900;
    return Midnight(year, month, day, date);
}

CCsvQuoteReader::ELine CCsvQuoteReader::Midnight(int year, int month, int day, int32_t& date) {
    switch (m_midnights.Get(year, month, day, date)) {
    case ELocalMidnight::Ok:
        return ELine::Quote;
    case ELocalMidnight::NoSuchDay:
        return ELine::BadDate;
    case ELocalMidnight::OutOfRange:
        return ELine::DateOutOfRange;
    }
    return ELine::BadDate;
}
