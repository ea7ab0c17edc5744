#include "CTickerQuoteReader.h"
#include "CTextLineReader.h"
#include "QuoteFields.h"

bool CTickerQuoteReader::Read(const std::string& path, std::vector<SQuote>& oldestFirst,
                              SQuoteReadStats& stats) {
    CTextLineReader reader;
    std::string_view line;
    bool overlong = false;
    if (!reader.Open(path) || !reader.Next(line, overlong)) {
        stats.readError = reader.Failed();
        return false;
    }
    while (reader.Next(line, overlong)) {
        ++stats.lines;
        if (overlong) {
            ++stats.overlongLines;
            continue;
        }
        SQuote quote;
        ELine verdict = ParseLine(line, quote);
        stats.Count(verdict);
        if (verdict == ELine::Quote) oldestFirst.push_back(quote);
    }
    stats.readError = reader.Failed();
    return true;
}

CTickerQuoteReader::ELine CTickerQuoteReader::ParseLine(std::string_view line, SQuote& quote) {
    if (line.empty()) return ELine::Short;
    std::string_view fields[9];
    SplitQuoteFields(line, fields, 9);
    SQuote parsed;
    ELine dateVerdict = ParseDate(fields[2], parsed.date);
    if (dateVerdict != ELine::Quote) return dateVerdict;
    bool numbers =
        ReadRequiredNumber(fields[4], parsed.open) && ReadRequiredNumber(fields[5], parsed.high) &&
        ReadRequiredNumber(fields[6], parsed.low) && ReadRequiredNumber(fields[7], parsed.close) &&
        ReadOptionalNumber(fields[8], parsed.volume);
    if (!numbers) return ELine::BadNumber;
    // The format has no adjusted close; the close stands in for the export.
    parsed.adjClose = parsed.close;
    quote = parsed;
    return ELine::Quote;
}

CTickerQuoteReader::ELine CTickerQuoteReader::ParseDate(std::string_view text, int32_t& date) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() != 8 || !ReadDigits(text.substr(0, 4), year) ||
        !ReadDigits(text.substr(4, 2), month) || !ReadDigits(text.substr(6, 2), day))
        return ELine::BadDate;
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

std::string CTickerQuoteReader::SymbolOfPath(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 4) name.resize(name.size() - 4);
    return name;
}
