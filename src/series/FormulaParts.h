#pragma once
#include "CCurve.h"
#include "quotes/CBarColumns.h"
#include <utility>
#include <vector>

// Intermediate series that several indicators and signal systems share.
namespace IndicatorFormulas {

// (H + L + C) / 3. Lookback 0.
CurvePtr TypicalPrice(const CBarColumns& q);
// The stochastic's raw value (C - LLV(L,9)) / (HHV(H,9) - LLV(L,9)) * 100. Lookback 0.
CurvePtr StochasticRsv(const CBarColumns& q);
// MACD's difference line EMA(C,12) - EMA(C,26) (bar 0 is 0.0, then valid from bar 26) and
// its signal line EMA(DIF,9), from one pass.
std::pair<CurvePtr, CurvePtr> MacdDifAndDea(const CBarColumns& q);

} // namespace IndicatorFormulas
