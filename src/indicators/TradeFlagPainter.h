#pragma once
#include "ctlkit/dc/CDC.h"

class CTradeFlag;

// Draws the flags of a trade-flag series with the mapping it stored for this draw: on every
// visible bar with a finite non-zero price, a marker in the series' colour just below that
// price for a buy series and just above it for a sell series. The symbol field picks the
// marker: 1 circle, 7 square, 8 triangle pointing down, 9 triangle pointing up, 12 diamond,
// 13 and every other value an arrow pointing at the price. A series with a text also writes it
// beyond each marker (below a buy marker, above a sell marker), centred on the bar, in its
// second colour and its font (without a face: Arial, 15 pixels high).
class TradeFlagPainter {
public:
    explicit TradeFlagPainter(const CTradeFlag& flag) : m_flag(flag) {}
    void Paint(CDC& dc);
    // True when pixel (x, y) lies within `tolerance` of the box of a marker Paint drew last.
    bool Hits(int x, int y, int tolerance) const;

    // Half the marker's side and the gap between the price and the marker, in pixels.
    static constexpr int kHalf = 4;
    static constexpr int kGap = 2;

    enum EShape { kArrow, kCircle, kSquare, kTriangleDown, kTriangleUp, kDiamond };
    static EShape ShapeOf(int symbol);

private:
    LOGFONT TextFont() const;
    void PaintTexts(CDC& dc, int from, int to, bool buy);
    // The marker centred at (cx, cy); `up` says which way an arrow points.
    static void PaintShape(CDC& dc, EShape shape, int cx, int cy, bool up);

    const CTradeFlag& m_flag;
};
