#pragma once
#include "CliArgs.h"
#include "quotes/PeriodChoice.h"
#include "settings/CModelContext.h"
#include <memory>
#include <optional>
#include <string>

class CStock;

// The installation a command works on: `home` when given, else the program's; messages go to
// the active prompter, which writes them to stderr.
std::unique_ptr<CModelContext> CommandContext(const std::optional<std::string>& home = {});

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
// Tells the reader's message, if any, through the active prompter; true when the series holds
// the file's quotes (all, or those before a refused line).
bool AcceptLoadedQuotes(const CFileResult& loaded);
// The symbol a quote file holds, by its name: "Data/NYSE/ACME.csv" holds "ACME".
std::string SymbolOfQuoteFile(const std::string& path);
