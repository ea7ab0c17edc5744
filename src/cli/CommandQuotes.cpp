#include "CommandQuotes.h"
#include "ctlkit/base/CPrompter.h"
#include "quotes/CStock.h"
#include <climits>
#include <cstdio>

std::optional<SCommandQuoteOptions> ReadCommandQuoteOptions(const CliArgs& args,
                                                            std::string& error) {
    SCommandQuoteOptions options;
    options.maximum = CStock::kDefaultMaximumQuotes;
    if (auto text = args.Value("period")) {
        auto parsed = ParsePeriodChoice(*text);
        if (!parsed) {
            error = "--period wants day, week, month or nday:N, not \"" + *text + "\"";
            return std::nullopt;
        }
        options.period = *parsed;
    }
    auto maximum = args.Number("max-quotes", 0, INT_MAX - 1, error);
    if (!error.empty()) return std::nullopt;
    if (maximum) options.maximum = static_cast<int>(*maximum);
    return options;
}

std::unique_ptr<CModelContext> CommandContext(const std::optional<std::string>& home) {
    return std::make_unique<CModelContext>(home ? CInstallPaths(*home) : CInstallPaths::OfProgram(),
                                           CPrompter::Active());
}

bool AcceptLoadedQuotes(const CFileResult& loaded) {
    if (!loaded.message().empty()) CPrompter::Active().ShowMessage(loaded.message());
    return loaded.ok() || loaded.partial();
}

std::string SymbolOfQuoteFile(const std::string& path) {
    std::string symbol = path.substr(path.find_last_of('/') + 1);
    return symbol.substr(0, symbol.find_last_of('.'));
}

bool LoadCommandQuotes(CStock& stock, const std::string& path,
                       const SCommandQuoteOptions& options) {
    SQuoteReadStats stats;
    if (!AcceptLoadedQuotes(
            LoadQuotesInPeriod(stock, path, options.period, options.maximum, &stats))) {
        std::fprintf(stderr, "cannot load the quote file %s\n", path.c_str());
        return false;
    }
    if (stats.Refused() != 0 || stats.readError)
        std::fprintf(stderr, "quote lines refused: %zu\n", stats.Refused());
    return true;
}
