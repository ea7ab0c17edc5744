#pragma once
#include "CQuoteSource.h"

// Alpha Vantage's daily series as CSV: <base>/query?function=TIME_SERIES_DAILY&symbol=<ticker>
// &outputsize=compact|full&datatype=csv&apikey=<key>. "compact" (the last 100 trading days)
// serves a request of at most 100 calendar days, "full" everything else. Answers
// "timestamp,open,high,low,close,volume", newest first; refusals come as a JSON note.
class CAlphaVantageSource : public CQuoteSource {
public:
    static constexpr const char* kDefaultAddress = "https://www.alphavantage.co";
    static constexpr const char* kKeyPage = "https://www.alphavantage.co/support/#api-key";

    CAlphaVantageSource(std::string baseAddress, std::string apiKey, std::string suffix);

    std::string_view Name() const override { return "alphavantage"; }
    std::string BuildQuery(const std::string& ticker, int64_t first, int64_t last) const override;
    bool NewestFirst() const override { return true; }
    CWebGrab::LineDateReader LineDateReader() const override;
    // 200 with the header: quotes; a JSON note on the request limit: rate-limited; on a
    // premium feature: premium refused; on the key: key required; "Invalid API call": unknown
    // symbol; 429: rate-limited; 401, 403: key required; anything else a service error.
    EQuoteAnswerKind Classify(unsigned long status, std::string_view body) const override;
    SQuoteConversion ToQuoteLines(std::string_view body) const override;
    std::string RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const override;

private:
    std::string m_base;
    std::string m_key;
    std::string m_suffix;
};
