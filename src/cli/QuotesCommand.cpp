#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "FloatText.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include "quotes/PeriodChoice.h"
#include "quotes/QuoteFileLocation.h"
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// As printf's "%0<width>d": the sign first, then zeros up to the width.
char* WritePadded(char* out, int value, int width) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const char* first = digits;
    if (value < 0) {
        *out++ = '-';
        ++first;
        --width;
    }
    for (int length = static_cast<int>(end - first); length < width; ++length) *out++ = '0';
    std::memcpy(out, first, static_cast<size_t>(end - first));
    return out + (end - first);
}

// One line a bar, written in large blocks: a million lines through printf took seconds.
void PrintSeries(const std::vector<SQuote>& bars) {
    constexpr size_t kBlock = size_t{1} << 16;
    // Index and time of at most 20 characters each, the date at most 21, six floats.
    constexpr size_t kLongestLine = 20 + 1 + 20 + 1 + 21 + 6 * (1 + kGeneral9Room) + 1;
    std::vector<char> block(kBlock + kLongestLine);
    static constexpr char kHeader[] = "index,time,date,open,high,low,close,adjclose,volume\n";
    std::memcpy(block.data(), kHeader, sizeof kHeader - 1);
    char* out = block.data() + sizeof kHeader - 1;
    for (size_t i = 0; i < bars.size(); ++i) {
        const SQuote& q = bars[i];
        SLocalDay day = LocalDayOf(q.date);
        out = std::to_chars(out, out + 20, i).ptr;
        *out++ = ',';
        out = std::to_chars(out, out + 20, q.date).ptr;
        *out++ = ',';
        out = WritePadded(out, day.year, 4);
        *out++ = '-';
        out = WritePadded(out, day.month, 2);
        *out++ = '-';
        out = WritePadded(out, day.day, 2);
        for (float value : {q.open, q.high, q.low, q.close, q.adjClose, q.volume}) {
            *out++ = ',';
            out = AppendGeneral9(out, value);
        }
        *out++ = '\n';
        if (static_cast<size_t>(out - block.data()) >= kBlock) {
            std::fwrite(block.data(), 1, static_cast<size_t>(out - block.data()), stdout);
            out = block.data();
        }
    }
    std::fwrite(block.data(), 1, static_cast<size_t>(out - block.data()), stdout);
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
