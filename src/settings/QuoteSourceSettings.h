#pragma once
#include "ctlkit/base/CFileResult.h"
#include "ctlkit/base/CIniReader.h"
#include <array>
#include <map>
#include <string>
#include <string_view>

// The quote source of both programs, from setup.ini section [QUOTE_SOURCE]:
//   "Source"                 yahoo, stooq or alphavantage (default stooq; yahoo when the key is
//                            absent but [DOWNLOAD] "QuoteServer" names a table.csv service)
//   "ApiKey_<source>"        the source's API key (default none)
//   "BaseAddress_<source>"   the source's address (default its public one); yahoo keeps
//                            [DOWNLOAD] "QuoteServer" instead
//   "Suffix_<market>"        the ticker suffix the source wants for a market, ".us" for instance
//                            (default: ".us" for stooq on NYSE, NASDAQ and AMEX, else none)
struct SQuoteSourceSettings {
    static constexpr const char* kSection = "QUOTE_SOURCE";
    static constexpr std::array<std::string_view, 3> kSources = {"yahoo", "stooq", "alphavantage"};

    std::string source = "stooq";
    std::map<std::string, std::string> apiKeys;       // by source name
    std::map<std::string, std::string> baseAddresses; // by source name, never yahoo
    std::map<std::string, std::string> suffixes;      // by market code as written in the key
    std::string yahooServer = "http://ichart.finance.yahoo.com";

    static SQuoteSourceSettings Read(CIniReader& ini);
    // Writes every key of [QUOTE_SOURCE] (and [DOWNLOAD] "QuoteServer") in one replacement.
    // A file holding an API key is made readable by its owner only (mode 0600) before the key
    // goes in, so the key is never in a file others can read.
    CFileResult Write(CIniReader& ini) const;

    static bool IsKnownSource(std::string_view name);
    std::string ApiKey(const std::string& name) const;
    std::string BaseAddress(const std::string& name) const;
    // The market's suffix for `name`: the key when set (even empty), else the default above.
    std::string Suffix(const std::string& name, const std::string& market) const;
};
