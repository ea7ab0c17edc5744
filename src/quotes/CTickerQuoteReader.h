#pragma once
#include "CLocalMidnightCache.h"
#include "SQuote.h"
#include "SQuoteReadStats.h"
#include <string>
#include <string_view>
#include <vector>

// Reads the ticker-list quote format: a header line (not checked), then one quote a line,
// oldest first: ticker, period, YYYYMMDD, time, open, high, low, close, volume, open interest.
class CTickerQuoteReader {
public:
    using ELine = EQuoteLine;

    // Appends the file's quotes to `oldestFirst`; false when the file has no first line.
    bool Read(const std::string& path, std::vector<SQuote>& oldestFirst, SQuoteReadStats& stats);

    ELine ParseLine(std::string_view line, SQuote& quote);

    // The symbol a ticker-list file stands for: its name without folder and extension.
    static std::string SymbolOfPath(const std::string& path);

private:
    ELine ParseDate(std::string_view text, int32_t& date);

    CLocalMidnightCache m_midnights;
};
