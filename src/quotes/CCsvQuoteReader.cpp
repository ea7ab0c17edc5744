#include "CCsvQuoteReader.h"
#include "CTextLineReader.h"
#include "QuoteFields.h"
#include "QuoteFileFormat.h"
#include "QuoteLineDate.h"

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

// "5-Dec-05" or "05-Dec-05", by the strict rule.
CCsvQuoteReader::ELine CCsvQuoteReader::ParseDate(std::string_view text, int32_t& date) {
    SQuoteDay day;
    switch (ParseQuoteDate(text, EQuoteDateRule::Strict, day)) {
    case EQuoteDate::Ok:
        break;
    case EQuoteDate::UnknownMonth:
        return ELine::UnknownMonth;
    default:
        return ELine::BadDate;
    }
    switch (m_midnights.Get(day.year, day.month, day.day, date)) {
    case ELocalMidnight::Ok:
        return ELine::Quote;
    case ELocalMidnight::NoSuchDay:
        return ELine::BadDate;
    case ELocalMidnight::OutOfRange:
        return ELine::DateOutOfRange;
    }
    return ELine::BadDate;
}
