#include "QuoteAnswerCheck.h"
#include "CCsvQuoteReader.h"
#include "CTextLineReader.h"
#include "QuoteFileFormat.h"
#include <algorithm>

namespace {
constexpr size_t kShownLength = 80;
constexpr size_t kQuoteFields = 7;

std::string Shown(std::string_view line) {
    std::string shown;
    for (unsigned char c : line.substr(0, kShownLength)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    if (line.size() > kShownLength) shown += "...";
    return shown;
}

SQuoteAnswerCheck Refuse(EQuoteAnswer verdict, size_t lineNumber, std::string_view line,
                         size_t quotes) {
    SQuoteAnswerCheck check;
    check.verdict = verdict;
    check.lineNumber = lineNumber;
    check.line = Shown(line);
    check.quotes = quotes;
    return check;
}
} // namespace

SQuoteAnswerCheck CheckQuoteAnswer(std::string_view text) {
    CTextLineReader reader;
    reader.OpenText(text);
    std::string_view line;
    bool overlong = false;
    if (!reader.Next(line, overlong) || overlong || line != kCsvQuoteHeader)
        return Refuse(EQuoteAnswer::NoHeader, 1, line, 0);
    CCsvQuoteReader parser;
    size_t number = 1;
    size_t quotes = 0;
    std::string_view last;
    bool lastIsQuote = false;
    bool lastComplete = false; // a quote of all seven fields, or markup
    while (reader.Next(line, overlong)) {
        ++number;
        last = line;
        lastIsQuote = lastComplete = false;
        if (overlong) continue;
        SQuote quote;
        const EQuoteLine verdict = parser.ParseLine(line, quote);
        if (verdict == EQuoteLine::UnknownMonth)
            return Refuse(EQuoteAnswer::UnknownMonth, number, line, quotes);
        lastIsQuote = verdict == EQuoteLine::Quote;
        if (lastIsQuote) ++quotes;
        const auto fields = static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1;
        lastComplete = verdict == EQuoteLine::Markup || (lastIsQuote && fields >= kQuoteFields);
    }
    // Only the line without a line feed can have been cut.
    if (text.back() != '\n' && number > 1 && !lastComplete)
        return Refuse(EQuoteAnswer::CutLastLine, number, last, quotes - (lastIsQuote ? 1 : 0));
    if (quotes == 0) return Refuse(EQuoteAnswer::NoQuote, 0, {}, 0);
    SQuoteAnswerCheck readable;
    readable.quotes = quotes;
    return readable;
}

std::string RefusedAnswerMessage(const SQuoteAnswerCheck& check) {
    const char* why = "";
    switch (check.verdict) {
    case EQuoteAnswer::Readable:
        return {};
    case EQuoteAnswer::NoQuote:
        return "The downloaded data hold no quote. The quote file was not changed.";
    case EQuoteAnswer::NoHeader:
        why = "not the quote header";
        break;
    case EQuoteAnswer::UnknownMonth:
        why = "unknown month";
        break;
    case EQuoteAnswer::CutLastLine:
        why = "the data end inside this line";
        break;
    }
    return "Line " + std::to_string(check.lineNumber) + " of the downloaded data was refused (" +
           why + "): \"" + check.line + "\". The quote file was not changed.";
}
