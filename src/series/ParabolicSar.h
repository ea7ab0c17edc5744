#pragma once
#include "CCurve.h"
#include "quotes/CBarColumns.h"
#include <vector>

namespace Series {

// Parabolic stop-and-reverse over the quote array (not consumed), acceleration `step` up to
// `limit`: name "SAR", parameter text "%.2f,%.2f" of step and limit. Every value is valid
// (lookback 0); one bar gives its close.
CurvePtr SAR(const CBarColumns& quotes, float step, float limit);

} // namespace Series
