#pragma once
#include "CQuoteSource.h"
#include "settings/QuoteSourceSettings.h"
#include <memory>
#include <string>

// The source `settings` choose, built for one market (its ticker suffix); null when the
// source's name is none of yahoo, stooq and alphavantage.
std::shared_ptr<const CQuoteSource> MakeQuoteSource(const SQuoteSourceSettings& settings,
                                                    const std::string& market);
// The source named `name` with the address, key and suffix of `settings`.
std::shared_ptr<const CQuoteSource> MakeQuoteSource(const std::string& name,
                                                    const SQuoteSourceSettings& settings,
                                                    const std::string& market);

// "Unknown quote source "x" in section QUOTE_SOURCE of setup.ini: choose yahoo, stooq or
// alphavantage."
std::string UnknownQuoteSourceMessage(const std::string& name);
