#pragma once
#include "CCurve.h"
#include "STradeFlagData.h"
#include <span>
#include <utility>

namespace Series {

// A trade-flag series of the given direction (1 buy, 0 sell): p[i] where s[i] != 0.0, else
// 0.0 (an invalid s value counts as a signal). Both consumed. Inputs of different lengths are
// a caller's error (see LengthsAgree) and give a series of s's length without any flag.
STradeFlagData FlagSeries(CurvePtr s, CurvePtr p, int direction);

// FlagSeries(CROSS(Copy(fast), Copy(slow)), low, 1) and
// FlagSeries(CROSS(Copy(slow), Copy(fast)), high, 0), the buy and the sell flags of a
// crossing, in one pass; the prices are read where they are.
std::pair<STradeFlagData, STradeFlagData> CrossingFlags(const CCurve& fast, const CCurve& slow,
                                                        std::span<const float> low,
                                                        std::span<const float> high);

} // namespace Series
