#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "FloatText.h"
#include "indicators/CCostDistribution.h"
#include "indicators/CStockPanes.h"
#include "quotes/CStock.h"
#include "quotes/PeriodChoice.h"
#include <climits>
#include <cstdio>
#include <string>

namespace {

const char kUsage[] = "usage: zentristock-cli costdist FILE [--period day|week|month|nday:N] "
                      "[--max-quotes N] --bar I\n";

int BadUsage(const std::string& message) {
    std::fprintf(stderr, "%s%s\n", kUsage, message.c_str());
    return 2;
}

} // namespace

// Prints the 200 bin weights, the range low and the range high of one bar, one a line.
int CostDistCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    if (!args.Ok() || args.Positional().size() != 1) return BadUsage(args.Error());
    const std::string& path = args.Positional()[0];
    if (!args.Has("bar")) return BadUsage("--bar is required");
    std::string error;
    const auto options = ReadCommandQuoteOptions(args, error);
    if (!options) return BadUsage(error);
    CStock stock;
    stock.LoadSettings(*CommandContext());
    if (!LoadCommandQuotes(stock, path, *options)) return 1;

    CStockPanes& panes = CStockPanes::InstallIn(stock);
    panes.RebuildCostDistribution(stock);
    const CCostDistribution& table = panes.CostDistribution();
    if (table.Empty()) {
        std::fprintf(stderr, "the quote file %s holds no bars\n", path.c_str());
        return 1;
    }
    auto bar = args.Number("bar", 0, static_cast<long>(table.Size()) - 1, error);
    if (!error.empty() || !bar) return BadUsage(error);
    std::string text;
    for (float value : table.At(static_cast<std::size_t>(*bar))) {
        AppendGeneral9(text, value);
        text += '\n';
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
