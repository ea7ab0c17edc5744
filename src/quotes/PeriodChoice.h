#pragma once
#include "SQuoteReadStats.h"
#include "ctlkit/base/CFileResult.h"
#include <optional>
#include <string>
#include <string_view>

class CStock;

// A period as the command-line tool names it: "day", "week", "month" or "nday:N" (N ≥ 1).
struct SPeriodChoice {
    int period = 0; // CStock::EPeriod
    int nDays = 2;
};

std::optional<SPeriodChoice> ParsePeriodChoice(std::string_view text);

// Loads the quote file at `path` into `stock` with at most `maximumQuotes` + 1 quotes from a
// CSV file (for this series only, setup.ini is left alone) and shows it in `period`: the
// outcome of CStock::LoadQuoteFile, or CannotOpen without a message for a negative maximum
// or a period outside the choices. `stats` gets the reader's line counts.
CFileResult LoadQuotesInPeriod(CStock& stock, const std::string& path,
                               const SPeriodChoice& period, int maximumQuotes,
                               SQuoteReadStats* stats);
