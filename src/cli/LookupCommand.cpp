#include "CliArgs.h"
#include "Commands.h"
#include "download/CMarketList.h"
#include "download/CSymbolDatabase.h"
#include "settings/CInstallPaths.h"
#include <cstdio>
#include <cstdlib>

int LookupCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    auto home = args.Value("home");
    if (!args.Ok() || args.Positional().size() != 1 || !home) {
        std::fprintf(stderr, "usage: zentristock-cli lookup --home DIR SYMBOL [--market M]\n%s\n",
                     args.Error().c_str());
        return 2;
    }
    const CInstallPaths paths(*home);
    std::vector<std::string> markets = args.Values("market");
    if (markets.empty()) {
        CMarketList list;
        if (!list.Load(paths.MarketList())) {
            std::fprintf(stderr, "no markets: %s is missing or not a market list\n",
                         paths.MarketList().c_str());
            return 1;
        }
        for (const std::string& refused : list.Refused())
            std::fprintf(stderr, "market \"%s\" left out: not usable as a file name\n",
                         refused.c_str());
        markets = list.Codes();
    }
    const std::string& symbol = args.Positional()[0];
    std::string market;
    std::string name = LookupSymbolName(paths.SystemFolder(), markets, symbol, &market);
    if (name == CSymbolDatabase::kNoName) {
        std::fprintf(stderr, "%s\n", name.c_str());
        return 1;
    }
    std::printf("symbol,market,name\n%s,%s,%s\n", symbol.c_str(), market.c_str(), name.c_str());
    return 0;
}
