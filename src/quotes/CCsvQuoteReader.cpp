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
} // namespace

// "5-Dec-05" or "05-Dec-05", by the strict rule of ParseQuoteDate, judged in the same order:
// too short, then the month, then the form of the rest.
CCsvQuoteReader::ELine CCsvQuoteReader::ParseDate(std::string_view text, int32_t& date) {
    const size_t length = text.size();
    if (length < 6) return ELine::BadDate;
    const char* t = text.data();
    const int month = QuoteMonthNumberAt(t + length - 6);
    if (month == 0) return ELine::UnknownMonth;
    if (length < 8 || length > 9 || t[length - 7] != '-' || t[length - 3] != '-')
        return ELine::BadDate;
    const char* y = t + length - 2;
    if (!IsDigit(y[0]) || !IsDigit(y[1]) || !IsDigit(t[0])) return ELine::BadDate;
    int day = t[0] - '0';
    if (length == 9) {
        if (!IsDigit(t[1])) return ELine::BadDate;
        day = day * 10 + (t[1] - '0');
    }
    int year = (y[0] - '0') * 10 + (y[1] - '0');
    year += year < 50 ? 2000 : 1900;
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
