#include "QuoteSources.h"
#include "CAlphaVantageSource.h"
#include "CStooqSource.h"
#include "CYahooSource.h"

std::shared_ptr<const CQuoteSource> MakeQuoteSource(const SQuoteSourceSettings& settings,
                                                    const std::string& market) {
    return MakeQuoteSource(settings.source, settings, market);
}

std::shared_ptr<const CQuoteSource> MakeQuoteSource(const std::string& name,
                                                    const SQuoteSourceSettings& settings,
                                                    const std::string& market) {
    if (name == "yahoo") return std::make_shared<CYahooSource>(settings.yahooServer);
    if (name == "stooq")
        return std::make_shared<CStooqSource>(settings.BaseAddress(name), settings.ApiKey(name),
                                              settings.Suffix(name, market));
    if (name == "alphavantage")
        return std::make_shared<CAlphaVantageSource>(
            settings.BaseAddress(name), settings.ApiKey(name), settings.Suffix(name, market));
    return nullptr;
}

std::string UnknownQuoteSourceMessage(const std::string& name) {
    std::string shown;
    for (unsigned char c : name.substr(0, 40)) shown += (c < 0x20 || c == 0x7F) ? '?' : c;
    return "Unknown quote source \"" + shown +
           "\" in section QUOTE_SOURCE of setup.ini: choose yahoo, stooq or alphavantage.";
}
