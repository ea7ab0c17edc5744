#pragma once
#include "CQuoteSource.h"

// stooq's CSV download: <base>/q/d/l/?s=<ticker><suffix>&d1=YYYYMMDD&d2=YYYYMMDD&i=d, with
// "&apikey=<key>" when a key is set; the ticker in lower case with the market's suffix
// ("aapl.us"). Answers "Date,Open,High,Low,Close[,Volume]" with ISO dates, oldest first, so a
// renewal asks from the newest local day and reads the whole answer.
class CStooqSource : public CQuoteSource {
public:
    static constexpr const char* kDefaultAddress = "https://stooq.com";
    static constexpr const char* kKeyPage = "https://stooq.com";

    // `suffix` is appended to a ticker that does not end with it already.
    CStooqSource(std::string baseAddress, std::string apiKey, std::string suffix);

    std::string_view Name() const override { return "stooq"; }
    std::string BuildQuery(const std::string& ticker, int64_t first, int64_t last) const override;
    bool NewestFirst() const override { return false; }
    // 200 with the header: quotes; "No data": unknown symbol; "Exceeded the daily hits
    // limit" or 429: rate-limited; an HTML page at 200, 401 or 403: key required; 404: unknown
    // symbol; anything else a service error.
    EQuoteAnswerKind Classify(unsigned long status, std::string_view body) const override;
    SQuoteConversion ToQuoteLines(std::string_view body) const override;
    std::string RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const override;

private:
    std::string m_base;
    std::string m_key;
    std::string m_suffix;
};
