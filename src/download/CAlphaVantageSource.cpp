#include "CAlphaVantageSource.h"
#include "IsoCsvQuotes.h"
#include "QuoteQuery.h"

namespace {
constexpr std::string_view kHeader = "timestamp,open,high,low,close,volume";
// Longer than 100 calendar days may hold more than the 100 trading days of "compact".
constexpr int64_t kCompactSpan = 100 * 86400;

std::string_view Trimmed(std::string_view body) {
    body = StripByteOrderMark(body);
    while (!body.empty() && (body.front() == ' ' || body.front() == '\t' || body.front() == '\r' ||
                             body.front() == '\n'))
        body.remove_prefix(1);
    return body;
}
} // namespace

CAlphaVantageSource::CAlphaVantageSource(std::string baseAddress, std::string apiKey,
                                         std::string suffix)
    : m_base(baseAddress.empty() ? kDefaultAddress : std::move(baseAddress)),
      m_key(std::move(apiKey)), m_suffix(std::move(suffix)) {
    while (!m_base.empty() && m_base.back() == '/') m_base.pop_back();
}

std::string CAlphaVantageSource::BuildQuery(const std::string& ticker, int64_t first,
                                            int64_t last) const {
    std::string symbol = ticker;
    if (symbol.size() < m_suffix.size() ||
        symbol.compare(symbol.size() - m_suffix.size(), m_suffix.size(), m_suffix) != 0)
        symbol += m_suffix;
    return m_base + "/query?function=TIME_SERIES_DAILY&symbol=" + UrlEncode(symbol) +
           "&outputsize=" + (last - first <= kCompactSpan ? "compact" : "full") +
           "&datatype=csv&apikey=" + UrlEncode(m_key);
}

CWebGrab::LineDateReader CAlphaVantageSource::LineDateReader() const {
    return &ReadIsoLineDate;
}

EQuoteAnswerKind CAlphaVantageSource::Classify(unsigned long status, std::string_view body) const {
    if (status == 200 && body.empty()) return EQuoteAnswerKind::NoAnswer;
    if (status == 429) return EQuoteAnswerKind::RateLimited;
    if (status == 401 || status == 403) return EQuoteAnswerKind::KeyRequired;
    if (status != 200) return EQuoteAnswerKind::ServiceError;
    if (FirstLineIs(body, kHeader)) return EQuoteAnswerKind::Quotes;
    const std::string_view text = Trimmed(body);
    if (text.empty() || text.front() != '{') return EQuoteAnswerKind::ServiceError;
    // The note on the daily limit names the premium plans too: the limit is judged first.
    if (ContainsNoCase(text, "rate limit") || ContainsNoCase(text, "call frequency"))
        return EQuoteAnswerKind::RateLimited;
    if (ContainsNoCase(text, "premium")) return EQuoteAnswerKind::PremiumRefused;
    if (ContainsNoCase(text, "apikey") || ContainsNoCase(text, "api key"))
        return EQuoteAnswerKind::KeyRequired;
    if (ContainsNoCase(text, "Invalid API call")) return EQuoteAnswerKind::UnknownSymbol;
    return EQuoteAnswerKind::ServiceError;
}

SQuoteConversion CAlphaVantageSource::ToQuoteLines(std::string_view body) const {
    return ConvertIsoCsvQuotes(body, {kHeader, {}, true});
}

std::string CAlphaVantageSource::RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const {
    if (kind == EQuoteAnswerKind::KeyRequired)
        return m_key.empty()
                   ? std::string("The quote service alphavantage asks for an API key. Get a free "
                                 "one at ") +
                         kKeyPage +
                         " and enter it as ApiKey_alphavantage in section QUOTE_SOURCE of "
                         "setup.ini."
                   : "The quote service alphavantage refused the API key of ApiKey_alphavantage "
                     "in section QUOTE_SOURCE of setup.ini.";
    if (kind == EQuoteAnswerKind::PremiumRefused)
        return "The quote service alphavantage keeps the full history for paying subscribers. "
               "Choose another source (Source=stooq in section QUOTE_SOURCE of setup.ini) for a "
               "full download.";
    return CQuoteSource::RefusalMessage(kind, status);
}
