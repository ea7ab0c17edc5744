#pragma once
#include "CQuoteSource.h"

// The table.csv service: the query of BuildQueryUrl, answers newest first in the quote
// file's own form, kept as received. A renewal asks from 1 January 1980 and relies on the
// cut-off. Whatever is not a quote list is the program's text 3.
class CYahooSource : public CQuoteSource {
public:
    explicit CYahooSource(std::string server) : m_server(std::move(server)) {}

    std::string_view Name() const override { return "yahoo"; }
    std::string BuildQuery(const std::string& ticker, int64_t first, int64_t last) const override;
    bool NewestFirst() const override { return true; }
    CWebGrab::LineDateReader LineDateReader() const override;
    EQuoteAnswerKind Classify(unsigned long status, std::string_view body) const override;
    SQuoteConversion ToQuoteLines(std::string_view body) const override;
    int64_t RenewalStart(int64_t newestLocalDay) const override;
    std::string RefusalMessage(EQuoteAnswerKind, unsigned long) const override { return {}; }
    bool KeepsAnswerAsReceived() const override { return true; }

private:
    std::string m_server;
};
