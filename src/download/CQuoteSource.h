#pragma once
#include "ctlkit/http/CWebGrab.h"
#include <cstdint>
#include <string>
#include <string_view>

// What a quote service's answer is, judged from its HTTP status and its body.
enum class EQuoteAnswerKind {
    Quotes,         // a quote list in the source's own form
    NoAnswer,       // nothing came ("Cannot connect to the website.")
    UnknownSymbol,  // the service knows no such symbol
    RateLimited,    // the request quota is used up
    KeyRequired,    // the service wants an API key, or refused the one given
    ServiceError,   // anything else: the service is down or answers what no source documents
    PremiumRefused, // the service keeps the asked-for history for paying subscribers
};

// A quote list turned into the quote file's form: the header "Date,Open,High,Low,Close,Volume,
// Adj. Close*" and one line per day, newest first, each ended by a line feed. On refusal `ok`
// is false and `message` names the line or date refused.
struct SQuoteConversion {
    bool ok = false;
    std::string text;
    std::string message;
};

// One historical-quote service: how it is asked, in which order it answers, how its answers
// are judged and turned into quote-file lines. The rest of the download (the merge, the
// quote file) sees only the converted text. Sources are immutable once built and shared by
// the jobs of several threads.
class CQuoteSource {
public:
    virtual ~CQuoteSource() = default;

    // The name setup.ini knows it by: "yahoo", "stooq", "alphavantage".
    virtual std::string_view Name() const = 0;
    // The address asking for the daily quotes of `ticker` from `first` to `last` (seconds
    // since 1970, read as local days).
    virtual std::string BuildQuery(const std::string& ticker, int64_t first,
                                   int64_t last) const = 0;
    // Whether answers come newest day first, so that a renewal may stop reading early.
    virtual bool NewestFirst() const = 0;
    // For a newest-first source: the date of one raw answer line, for the transfer's
    // cut-off. Null when the source answers oldest first.
    virtual CWebGrab::LineDateReader LineDateReader() const { return nullptr; }
    virtual EQuoteAnswerKind Classify(unsigned long status, std::string_view body) const = 0;
    // Turns an answer classified as Quotes into the quote file's lines.
    virtual SQuoteConversion ToQuoteLines(std::string_view body) const = 0;
    // The first day a renewal asks for, given the newest day of the quote file.
    virtual int64_t RenewalStart(int64_t newestLocalDay) const { return newestLocalDay; }
    // The message for an answer of `kind` other than Quotes and NoAnswer; empty when the
    // program's own text 3 ("Error file type, download failed. ...") says it.
    virtual std::string RefusalMessage(EQuoteAnswerKind kind, unsigned long status) const;
    // Whether the answer goes to the quote file exactly as received (the yahoo form is the
    // quote file's own).
    virtual bool KeepsAnswerAsReceived() const { return false; }
};
