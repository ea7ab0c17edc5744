#pragma once
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/TradeSignals.h"
#include <functional>

struct SIndicatorEntry {
    const char* identifier;
    std::function<SIndicatorCurves(const CBarColumns&)> run;
};

struct SSignalEntry {
    const char* identifier;
    std::function<std::vector<STradeFlagData>(const CBarColumns&)> run;
};

// Every indicator, in the order of the indicator table; "52WK H and L" on the daily period.
inline const std::vector<SIndicatorEntry>& AllIndicators() {
    using namespace IndicatorFormulas;
    static const std::vector<SIndicatorEntry> all = {
        {"SMA", SMA},
        {"WMA", WMA},
        {"EMA", EMA},
        {"BOL", BOL},
        {"MAE", MAE},
        {"SAR", SAR},
        {"KC", KC},
        {"52WK H and L", [](const CBarColumns& q) { return FiftyTwoWeekHighLow(q, 0, 1); }},
        {"STC", STC},
        {"MACD", MACD},
        {"VOL", VOL},
        {"VOLP", VOLP},
        {"ADX", ADX},
        {"ATR", ATR},
        {"CCI", CCI},
        {"MTM", MTM},
        {"ROC", ROC},
        {"MFI", MFI},
        {"OBV", OBV},
        {"RSI", RSI},
        {"VOLA", VOLA},
        {"VAO", VAO},
        {"WR", WR},
    };
    return all;
}

inline const std::vector<SSignalEntry>& AllSignals() {
    using namespace IndicatorFormulas;
    static const std::vector<SSignalEntry> all = {
        {"FLAGMA", FLAGMA},   {"FLAGWMA", FLAGWMA}, {"FLAGEMA", FLAGEMA},
        {"FLAGSAR", FLAGSAR}, {"FLAGKDJ", FLAGKDJ}, {"FLAGMACD", FLAGMACD},
    };
    return all;
}
