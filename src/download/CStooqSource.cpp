#include "CStooqSource.h"
#include "IsoCsvQuotes.h"
#include "QuoteQuery.h"

namespace {
constexpr std::string_view kHeader = "Date,Open,High,Low,Close,Volume";
constexpr std::string_view kHeaderNoVolume = "Date,Open,High,Low,Close";

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string_view Trimmed(std::string_view body) {
    body = StripByteOrderMark(body);
    while (!body.empty() && (body.front() == ' ' || body.front() == '\t' || body.front() == '\r' ||
                             body.front() == '\n'))
        body.remove_prefix(1);
    return body;
}

bool IsHtml(std::string_view body) {
    body = Trimmed(body);
    return ContainsNoCase(body.substr(0, 15), "<!doctype html") ||
           ContainsNoCase(body.substr(0, 5), "<html");
}
} // namespace

CStooqSource::CStooqSource(std::string baseAddress, std::string apiKey, std::string suffix)
    : m_base(baseAddress.empty() ? kDefaultAddress : std::move(baseAddress)),
      m_key(std::move(apiKey)), m_suffix(Lower(std::move(suffix))) {
    while (!m_base.empty() && m_base.back() == '/') m_base.pop_back();
}

std::string CStooqSource::BuildQuery(const std::string& ticker, int64_t first, int64_t last) const {
    std::string symbol = Lower(ticker);
    if (symbol.size() < m_suffix.size() ||
        symbol.compare(symbol.size() - m_suffix.size(), m_suffix.size(), m_suffix) != 0)
        symbol += m_suffix;
    std::string url = m_base + "/q/d/l/?s=" + UrlEncode(symbol) + "&d1=" + CompactLocalDate(first) +
                      "&d2=" + CompactLocalDate(last) + "&i=d";
    if (!m_key.empty()) url += "&apikey=" + UrlEncode(m_key);
    return url;
}

EQuoteAnswerKind CStooqSource::Classify(unsigned long status, std::string_view body) const {
    if (status == 200 && body.empty()) return EQuoteAnswerKind::NoAnswer;
    if (status == 429 || ContainsNoCase(body.substr(0, 400), "Exceeded the daily hits limit"))
        return EQuoteAnswerKind::RateLimited;
    if (status == 401 || status == 403) return EQuoteAnswerKind::KeyRequired;
    if (status == 404) return EQuoteAnswerKind::UnknownSymbol;
    if (status != 200) return EQuoteAnswerKind::ServiceError;
    if (FirstLineIs(body, kHeader) || FirstLineIs(body, kHeaderNoVolume))
        return EQuoteAnswerKind::Quotes;
    const std::string_view text = Trimmed(body);
    if (text.substr(0, 7) == "No data") return EQuoteAnswerKind::UnknownSymbol;
    if (IsHtml(body)) return EQuoteAnswerKind::KeyRequired;
    return EQuoteAnswerKind::ServiceError;
}

SQuoteConversion CStooqSource::ToQuoteLines(std::string_view body) const {
    return ConvertIsoCsvQuotes(body, {kHeader, kHeaderNoVolume, false});
}

std::string CStooqSource::RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const {
    if (kind == EQuoteAnswerKind::KeyRequired)
        return m_key.empty()
                   ? std::string("The quote service stooq asks for an API key. Get one at ") +
                         kKeyPage +
                         " and enter it as ApiKey_stooq in section QUOTE_SOURCE of "
                         "setup.ini."
                   : "The quote service stooq refused the API key of ApiKey_stooq in section "
                     "QUOTE_SOURCE of setup.ini.";
    return CQuoteSource::RefusalMessage(kind, status);
}
