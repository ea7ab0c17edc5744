#include "CYahooSource.h"
#include "QuoteQuery.h"
#include "quotes/QuoteFileFormat.h"

std::string CYahooSource::BuildQuery(const std::string& ticker, int64_t first, int64_t last) const {
    return BuildQueryUrl(m_server, ticker, first, last);
}

CWebGrab::LineDateReader CYahooSource::LineDateReader() const {
    return &ReadAnswerLineDate;
}

EQuoteAnswerKind CYahooSource::Classify(unsigned long status, std::string_view body) const {
    if (body.empty()) return EQuoteAnswerKind::NoAnswer;
    // The header test looks at the beginning only.
    if (status != 200 || body.compare(0, kCsvQuoteHeader.size(), kCsvQuoteHeader) != 0)
        return EQuoteAnswerKind::UnknownSymbol;
    return EQuoteAnswerKind::Quotes;
}

SQuoteConversion CYahooSource::ToQuoteLines(std::string_view body) const {
    SQuoteConversion converted;
    converted.ok = true;
    converted.text.assign(body.data(), body.size());
    return converted;
}

int64_t CYahooSource::RenewalStart(int64_t) const {
    return RenewalQueryStartDate();
}
