#pragma once
#include "CCurve.h"
#include "quotes/SQuote.h"
#include <vector>

// Source series: one quote field per bar, every value valid, the quote array not consumed.
// Named "C", "H", "L", "V" with an empty parameter text, black, line style 1.
namespace Series {

CurvePtr C(const std::vector<SQuote>& quotes);
CurvePtr H(const std::vector<SQuote>& quotes);
CurvePtr L(const std::vector<SQuote>& quotes);
CurvePtr V(const std::vector<SQuote>& quotes);

// A new curve with x's values (raw), colour, line style, draw kind, name and parameter text.
CurvePtr Copy(const CCurve& x);

} // namespace Series
