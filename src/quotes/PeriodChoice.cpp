#include "PeriodChoice.h"
#include "CStock.h"
#include "QuoteFields.h"

std::optional<SPeriodChoice> ParsePeriodChoice(std::string_view text) {
    SPeriodChoice choice;
    if (text == "day")
        choice.period = CStock::kPeriodDay;
    else if (text == "week")
        choice.period = CStock::kPeriodWeek;
    else if (text == "month")
        choice.period = CStock::kPeriodMonth;
    else if (text.substr(0, 5) == "nday:") {
        int n = 0;
        if (!ReadDigits(text.substr(5), n) || n < 1) return std::nullopt;
        choice.period = CStock::kPeriodNDays;
        choice.nDays = n;
    } else {
        return std::nullopt;
    }
    return choice;
}

CFileResult LoadQuotesInPeriod(CStock& stock, const std::string& path,
                               const SPeriodChoice& period, int maximumQuotes,
                               SQuoteReadStats* stats) {
    if (!stock.SetMaximumQuotes(maximumQuotes, false) ||
        !stock.RestorePeriod(period.period, period.nDays))
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, "");
    CFileResult loaded = stock.LoadQuoteFile(path);
    if (stats) *stats = stock.LastReadStats();
    return loaded;
}
