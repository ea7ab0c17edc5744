#pragma once
#include "CCurve.h"
#include "SAveraged.h"
#include "quotes/CBarColumns.h"
#include <span>
#include <utility>
#include <vector>

// Window functions. Each consumes its input, returns exactly as many values as the input has
// bars and names its result "<WORD>(" + x + ")" with parameter text n ("%d") and the period
// colour of n as asked.
namespace Series {

// Highest / lowest value. A period of at least the bar count, or below 1, means the bar
// count. For i < n the value is the running extreme of x[0..i] (zero read); from bar n on the
// window covers bars i-n .. i (n+1 bars): x[i-n] by the zero read against the finite values
// of bars i-n+1 .. i. Ties keep the earlier candidate. Lookback 0: no value is invalid.
CurvePtr HHV(CurvePtr x, int n);
CurvePtr LLV(CurvePtr x, int n);

// The value n bars ago (raw read); n < 0 looks ahead. Lookback n (or |n| invalid bars at the
// end when looking ahead).
CurvePtr REF(CurvePtr x, int n);

// Sum of the last |n| values (zero read), partial sums before that; n = 0 is the running
// total from the first bar. Lookback 0.
CurvePtr SUM(CurvePtr x, int n);
// SUM(Copy(*item.x), item.n) of each item, in one pass.
std::vector<CurvePtr> SUMs(std::span<const SAveraged> items);

// Sample standard deviation over the last n bars (raw read) around the mean carried from bar
// to bar as (m*n - x[i-n] + x[i]) / n. Lookback n: the first value is at bar n. With n = 1
// every value is 0/0, hence invalid.
CurvePtr STD(CurvePtr x, int n);
// MA(quotes, n) and STD(C(quotes), n) from one pass of the carried mean.
std::pair<CurvePtr, CurvePtr> MAAndSTD(const CBarColumns& quotes, int n);

} // namespace Series
