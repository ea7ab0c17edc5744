#pragma once
#include "CCurve.h"
#include "STradeFlagData.h"

namespace Series {

// A trade-flag series of the given direction (1 buy, 0 sell): p[i] where s[i] != 0.0, else
// 0.0 (an invalid s value counts as a signal). Both consumed. Inputs of different lengths are
// a caller's error (see LengthsAgree) and give a series of s's length without any flag.
STradeFlagData FlagSeries(CurvePtr s, CurvePtr p, int direction);

} // namespace Series
