#pragma once
#include "CliArgs.h"
#include "quotes/PeriodChoice.h"
#include <optional>
#include <string>

class CStock;

// The "--period" and "--max-quotes" options of a command that reads one quote file.
struct SCommandQuoteOptions {
    SPeriodChoice period;
    int maximum = 0;
};

// Both options, or nothing with `error` telling the user what is wrong.
std::optional<SCommandQuoteOptions> ReadCommandQuoteOptions(const CliArgs& args,
                                                            std::string& error);
// Loads `path` into `stock` as the options ask and tells stderr how many lines were refused;
// false, with a message on stderr, when the file cannot be loaded.
bool LoadCommandQuotes(CStock& stock, const std::string& path, const SCommandQuoteOptions& options);
