#pragma once

class CStock;

// The bar period an element keeps with its anchors: the trading days one bar of the series
// spans (1 daily, 5 weekly, 21 monthly, N for N-day bars), so that scaling an anchor by
// stored / new period keeps it near the same date.
int ElementPeriod(const CStock& stock);
