#pragma once
#include "CCurve.h"
#include "SAveraged.h"
#include "quotes/CBarColumns.h"
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

// Moving averages. Each consumes its curve inputs, returns exactly as many values as the
// input has bars, names its result after the formula and gives it the period colour of the
// period as asked (parameter text "%d"). A period above the bar count is cut to the bar
// count; a period below 1 leaves no window, hence every value invalid.
namespace Series {


// Close-MA over the quote array (not consumed): name "MA", parameter n.
// Lookback n-1: value n-1 is the mean of the first n closes, later values carry the average
// forward as (a*n - close[i-n] + close[i]) / n.
CurvePtr MA(const CBarColumns& quotes, int n);

// As the close-MA over x with the zero read: name "MA(" + x + ")". Lookback n-1.
CurvePtr MA(CurvePtr x, int n);

// The same averages for several periods in one pass, one curve per period in their order,
// each bit for bit what MA(quotes, n) and MA(Copy(x), n) give.
std::vector<CurvePtr> MAs(const CBarColumns& quotes, std::span<const int> periods);
std::vector<CurvePtr> MAs(const CCurve& x, std::span<const int> periods);
// MA(Copy(*item.x), item.n) of each item, in one pass.
std::vector<CurvePtr> MAs(std::span<const SAveraged> items);
// MA(Copy(x), n) without the copy.
CurvePtr MA(const CCurve& x, int n);

// Weighted smoothing y[i] = (m*x[i] + (n-m)*y[i-1]) / n from y[0] = x[0], zero read, m taken
// as |m|; name "SMA(" + x + ")", parameter "n,m". Lookback 0. With m >= n it hands x back
// unchanged. n is a weight here, not a window, so it is not cut to the bar count.
CurvePtr SMA(CurvePtr x, int n, int m);
// SMA(Copy(*item.x), item.n, m) of each item, in one pass.
std::vector<CurvePtr> SMAs(std::span<const SAveraged> items, int m);
// SMA(Copy(x), n, m) and the same smoothing of that, in one pass.
std::pair<CurvePtr, CurvePtr> SMAAndItsSMA(const CCurve& x, int n, int m);

// Exponential average: value 0 is x[0], values 1..n-1 invalid, value n the mean of
// x[0..n-1], then y[i] = (2*x[i] + (n-1)*y[i-1]) / (n+1); x[n] is never used. Zero read;
// name "EMA(" + x + ")". Lookback n (with the lone early value at 0). With n >= the bar
// count the mean would fall past the last bar and is dropped.
CurvePtr EMA(CurvePtr x, int n);
// EMA(Copy(x), n) for several periods in one pass.
std::vector<CurvePtr> EMAs(const CCurve& x, std::span<const int> periods);
// EMA(Copy(*item.x), item.n) of each item, in one pass.
std::vector<CurvePtr> EMAs(std::span<const SAveraged> items);

// Sum of x*w over sum of w for the last n bars, zero reads, invalid where not finite;
// name "WMA(" + x + "," + w + ")". Lookback n-1. Inputs of different lengths are a caller's
// error (see LengthsAgree) and give an all-invalid result of x's length.
CurvePtr WMA(CurvePtr x, CurvePtr w, int n);
// Sub(EMA(Copy(x), fast), EMA(Copy(x), slow)) and the EMA of that difference over `signal`
// bars, in one pass.
std::pair<CurvePtr, CurvePtr> EMADifferenceAndSignal(const CCurve& x, int fast, int slow,
                                                     int signal);

// WMA(Copy(x), Copy(w), n) for several periods in one pass.
std::vector<CurvePtr> WMAs(const CCurve& x, const CCurve& w, std::span<const int> periods);

} // namespace Series
