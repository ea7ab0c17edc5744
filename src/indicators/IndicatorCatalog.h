#pragma once
#include "series/SIndicatorCurves.h"
#include "series/STradeFlagData.h"
#include <span>
#include <string_view>
#include <vector>

class CStock;

// Where the document commands put an indicator: over the price bars, in a sub-chart pane, or
// as trade flags on the price pane.
enum class EIndicatorPlace { Main, Sub, Flags };

// One built-in indicator: its identifier, the pane name a replacing build gives the pane, the
// suffix an inserting build appends, and the formula that computes it over the series.
struct SIndicatorEntry {
    using CurveFormula = SIndicatorCurves (*)(const CStock& stock);
    using FlagFormula = std::vector<STradeFlagData> (*)(const CStock& stock);

    const char* identifier;
    const char* paneName; // empty for flag systems, which leave the pane name alone
    const char* suffix;
    EIndicatorPlace place;
    CurveFormula curves; // null for flag systems
    FlagFormula flags;   // null for curve indicators
};

// Every built-in indicator in menu order: the overlays, the sub-chart indicators, the flags.
std::span<const SIndicatorEntry> IndicatorTable();
// Null for an identifier that names no built-in indicator (the match is exact).
const SIndicatorEntry* FindIndicator(std::string_view identifier);
