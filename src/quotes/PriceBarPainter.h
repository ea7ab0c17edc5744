#pragma once
#include "ctlkit/dc/CDC.h"

class CStock;

// Draws the visible bars of a price series in its price style (0 hidden, 1 OHLC bars,
// 2 candles, 3 to 6 a line through the opens, closes, highs or lows) with the mapping the
// series stored for this draw, and the squares of a selected series. Keeps the bar
// half-width in the series while the user has not set it by hand.
class PriceBarPainter {
public:
    explicit PriceBarPainter(CStock& stock) : m_stock(stock) {}
    void Paint(CDC& dc);
    // True when pixel (x, y) lies within `tolerance` of what Paint drew last: a visible bar
    // of the OHLC or candle styles, or the polyline of the line styles; the hidden style has
    // nothing to hit.
    bool Hits(int x, int y, int tolerance) const;

private:
    void UpdateHalfWidth();
    void PaintOhlc(CDC& dc, int from, int to);
    void PaintCandles(CDC& dc, int from, int to);
    void PaintLine(CDC& dc, int from, int to);
    void PaintSelectionSquares(CDC& dc, int from, int to);
    // The price the line styles and the selection squares use for bar `i`.
    float ChosenPrice(int i) const;

    bool HitsOhlc(int i, int x, int y, int tolerance) const;
    bool HitsCandle(int i, int x, int y, int tolerance) const;
    bool HitsLine(int from, int to, int x, int y, int tolerance) const;

    CStock& m_stock;
};
