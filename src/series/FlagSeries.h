#pragma once
#include "CCurve.h"
#include "STradeFlagData.h"
#include <utility>

namespace Series {

// A trade-flag series of the given direction (1 buy, 0 sell): p[i] where s[i] != 0.0, else
// 0.0 (an invalid s value counts as a signal). Both consumed. Inputs of different lengths are
// a caller's error (see LengthsAgree) and give a series of s's length without any flag.
STradeFlagData FlagSeries(CurvePtr s, CurvePtr p, int direction);

// FlagSeries(CROSS(Copy(fast), Copy(slow)), Copy(low), 1) and
// FlagSeries(CROSS(Copy(slow), Copy(fast)), Copy(high), 0), the buy and the sell flags of a
// crossing, in one pass.
std::pair<STradeFlagData, STradeFlagData> CrossingFlags(const CCurve& fast, const CCurve& slow,
                                                        const CCurve& low, const CCurve& high);

} // namespace Series
