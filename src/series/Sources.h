#pragma once
#include "CCurve.h"
#include "quotes/CBarColumns.h"
#include <vector>

// Source series: one quote field per bar, every value valid, the quote array not consumed.
// Named "C", "H", "L", "V" with an empty parameter text, black, line style 1.
namespace Series {

CurvePtr C(const CBarColumns& quotes);
CurvePtr H(const CBarColumns& quotes);
CurvePtr L(const CBarColumns& quotes);
CurvePtr V(const CBarColumns& quotes);

// A new curve with x's values (raw), colour, line style, draw kind, name and parameter text.
CurvePtr Copy(const CCurve& x);

} // namespace Series
