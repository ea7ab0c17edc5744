#pragma once
#include "CLocalMidnightCache.h"
#include "SQuote.h"
#include "SQuoteReadStats.h"
#include <string>
#include <string_view>
#include <vector>

// Reads the CSV quote format: the header "Date,Open,High,Low,Close,Volume,Adj. Close*", then
// one quote a line, newest first ("5-Dec-05,52.05,52.27,51.78,51.95,4943331,51.95"; the date
// also as "5-Dec-2005" or "2005-12-05").
class CCsvQuoteReader {
public:
    enum class EResult {
        Read,         // every line up to the end or the limit was looked at
        NoHeader,     // no first line, or not the CSV header: nothing read
        UnknownMonth, // a line named no month "Jan" ... "Dec": reading stopped there
    };
    using ELine = EQuoteLine;

    // Appends the file's quotes to `newestFirst` in file order, stopping once `limit` quotes
    // are taken. Lines it refuses are counted in `stats`.
    EResult Read(const std::string& path, size_t limit, std::vector<SQuote>& newestFirst,
                 SQuoteReadStats& stats);

    // One quote line; `quote` is set only for ELine::Quote.
    ELine ParseLine(std::string_view line, SQuote& quote);

private:
    ELine ParseDate(std::string_view text, int32_t& date);
    ELine Midnight(int year, int month, int day, int32_t& date);

    CLocalMidnightCache m_midnights;
};
