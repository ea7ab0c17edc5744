#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include "quotes/PeriodChoice.h"
#include "quotes/QuoteFileLocation.h"
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {
// Tells the user how many lines the reader refused, so a damaged file is not taken silently.
void ReportRefusedLines(const SQuoteReadStats& stats) {
    if (stats.Refused() == 0 && !stats.readError) return;
    std::fprintf(stderr,
                 "quote lines refused: %zu (price or volume not a number: %zu, malformed date: "
                 "%zu, date beyond 2038: %zu, overlong: %zu)\n",
                 stats.Refused(), stats.badNumberLines, stats.badDateLines,
                 stats.dateOutOfRangeLines, stats.overlongLines);
    if (stats.readError) std::fprintf(stderr, "the file could not be read to its end\n");
}

void PrintSeries(const std::vector<SQuote>& bars) {
    std::printf("index,time,date,open,high,low,close,adjclose,volume\n");
    for (size_t i = 0; i < bars.size(); ++i) {
        const SQuote& q = bars[i];
        SLocalDay day = LocalDayOf(q.date);
        std::printf("%zu,%d,%04d-%02d-%02d,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n", i, q.date, day.year,
                    day.month, day.day, q.open, q.high, q.low, q.close, q.adjClose, q.volume);
    }
}
} // namespace

int QuotesCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    const auto market = args.Value("market");
    const auto ticker = args.Value("ticker");
    // A symbol's quote file is the one the chart program opens: in the data folder that
    // setup.ini names now.
    const bool bySymbol = market || ticker;
    const size_t files = bySymbol ? 0 : 1;
    if (!args.Ok() || args.Positional().size() != files || (bySymbol && !(market && ticker))) {
        std::fprintf(stderr,
                     "usage: zentristock-cli quotes (FILE | --market M --ticker T) "
                     "[--period day|week|month|nday:N] [--max-quotes N] [--home DIR]\n%s\n",
                     args.Error().c_str());
        return 2;
    }

    SPeriodChoice period;
    if (auto text = args.Value("period")) {
        auto parsed = ParsePeriodChoice(*text);
        if (!parsed) {
            std::fprintf(stderr, "--period wants day, week, month or nday:N, not \"%s\"\n",
                         text->c_str());
            return 2;
        }
        period = *parsed;
    }
    std::string error;
    auto maximum = args.Number("max-quotes", 0, INT_MAX - 1, error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }

    const auto context = CommandContext(args.Value("home"));
    std::string path = bySymbol ? std::string() : args.Positional()[0];
    if (bySymbol) {
        SQuoteFileLocation location;
        const CFileResult located =
            LocateQuoteFile(context->DataFolder(), *market, *ticker, location);
        if (!located) {
            std::fprintf(stderr, "%s\n", located.message().c_str());
            return 2;
        }
        path = location.path;
    }
    CStock stock;
    stock.LoadSettings(*context);
    SQuoteReadStats stats;
    bool loaded = AcceptLoadedQuotes(LoadQuotesInPeriod(
        stock, path, period, maximum ? static_cast<int>(*maximum) : CStock::kDefaultMaximumQuotes,
        &stats));
    ReportRefusedLines(stats);
    if (!loaded) {
        std::fprintf(stderr, "cannot load the quote file %s\n", path.c_str());
        return 1;
    }
    PrintSeries(stock.Display());
    return 0;
}
