#pragma once
#include "SIndicatorCurves.h"
#include "quotes/CBarColumns.h"
#include <vector>

// The indicators drawn over the price bars, one per identifier, over the display series
// (oldest first). Each returns its curves in pane order, every curve with one value per bar.
namespace IndicatorFormulas {

// "MA" 5, 10, 30, 60 over the closes. Lookback N-1.
SIndicatorCurves SMA(const CBarColumns& quotes);
// Volume-weighted averages WMA(C,V) 5, 10, 30, 60 (identifier WMA, pane VWMA). Lookback N-1.
SIndicatorCurves WMA(const CBarColumns& quotes);
// EMA(C) 5, 10, 30, 60. Lookback N (bar 0 holds the first close).
SIndicatorCurves EMA(const CBarColumns& quotes);
// Bollinger bands: "U Band", "M Band" (close-MA 20), "L Band" at two sample deviations.
// Lookback 19 for the middle band, 20 for the outer bands.
SIndicatorCurves BOL(const CBarColumns& quotes);
// Envelope: "M Band" (MA(C) 20), "U Band" and "D Band" at +-15 %. Lookback 19.
SIndicatorCurves MAE(const CBarColumns& quotes);
// Parabolic SAR 0.02 up to 0.20, drawn as dots. Lookback 0.
SIndicatorCurves SAR(const CBarColumns& quotes);
// Keltner channel: "M Band" (the typical price itself), "U Band" and "L Band" at the
// 15-bar average range around its 15-bar average. Lookback 0 for the middle, 14 for the bands.
SIndicatorCurves KC(const CBarColumns& quotes);

// The window of "52WK H and L" for the display period type (0 daily, 1 weekly, 2 monthly,
// 3 n-day with `nDays` bars a period): 364, 52, 12 or 364 / nDays (at least 1). An unknown
// type, or an n-day period of fewer than one day, takes 364.
int FiftyTwoWeekWindow(int periodType, int nDays);
// "52WK High" and "52WK Low": highest high and lowest low over the window of
// FiftyTwoWeekWindow. Lookback 0 (running extremes from the first bar).
SIndicatorCurves FiftyTwoWeekHighLow(const CBarColumns& quotes, int periodType, int nDays);

} // namespace IndicatorFormulas
