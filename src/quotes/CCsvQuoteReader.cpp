#include "CCsvQuoteReader.h"
#include "CTextLineReader.h"
#include "QuoteFields.h"
#include "QuoteFileFormat.h"

namespace {
constexpr size_t kShortestQuoteLine = 20;

// 1 ... 12 for "Jan" ... "Dec" exactly as written, 0 otherwise.
int MonthNumber(std::string_view text) {
    static constexpr std::string_view kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) {
        if (text == kMonths[i]) return i + 1;
    }
    return 0;
}
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

CCsvQuoteReader::ELine CCsvQuoteReader::ParseLine(std::string_view line, SQuote& quote) {
    if (line.size() < kShortestQuoteLine) return ELine::Short;
    if (line.front() == '<') return ELine::Markup;
    std::string_view fields[7];
    SplitQuoteFields(line, fields, 7);
    int32_t date = 0;
    ELine dateVerdict = ParseDate(fields[0], date);
    if (dateVerdict != ELine::Quote) return dateVerdict;
    SQuote parsed;
    parsed.date = date;
    bool numbers =
        ReadRequiredNumber(fields[1], parsed.open) && ReadRequiredNumber(fields[2], parsed.high) &&
        ReadRequiredNumber(fields[3], parsed.low) && ReadRequiredNumber(fields[4], parsed.close) &&
        ReadOptionalNumber(fields[5], parsed.volume) &&
        ReadOptionalNumber(fields[6], parsed.adjClose);
    if (!numbers) return ELine::BadNumber;
    quote = parsed;
    return ELine::Quote;
}

// "5-Dec-05" or "05-Dec-05": the month sits six characters before the end, the two-digit
// year at the end (00-49 = 2000-2049, 50-99 = 1950-1999), the day in front.
CCsvQuoteReader::ELine CCsvQuoteReader::ParseDate(std::string_view text, int32_t& date) {
    size_t length = text.size();
    if (length < 6) return ELine::BadDate;
    int month = MonthNumber(text.substr(length - 6, 3));
    if (month == 0) return ELine::UnknownMonth;
    if (length < 8 || length > 9 || text[length - 7] != '-' || text[length - 3] != '-')
        return ELine::BadDate;
    int day = 0;
    int year = 0;
    if (!ReadDigits(text.substr(0, length - 7), day) || !ReadDigits(text.substr(length - 2), year))
        return ELine::BadDate;
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
