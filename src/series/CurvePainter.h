#pragma once
#include "ctlkit/dc/CDC.h"
#include "element/SPriceLook.h"
#include "quotes/SQuote.h"
#include <vector>

class CCurve;

// Draws the visible values of a curve in its draw kind with the mapping the curve stored for
// this draw: markers (0), lines with markers (1 to 5), sticks (6 to 9) and bars (10 to 13),
// the odd kinds of each pair coloured after the rising or falling price bar. Bars without a
// finite value are left out, so a line breaks around them.
class CurvePainter {
public:
    explicit CurvePainter(const CCurve& curve);
    void Paint(CDC& dc);
    // True when pixel (x, y) lies within `tolerance` of what Paint drew last in the curve's
    // draw kind: a marker, a segment of the line between neighbouring finite values, a stick
    // or a bar. Bars without a finite value draw nothing and are not hit.
    bool Hits(int x, int y, int tolerance) const;

    // Half the side of the square marker on the line kinds, and of the dot of kind 0.
    static constexpr int kMarkerHalf = 1;
    static constexpr int kDotHalf = 2;

private:
    void PaintMarkers(CDC& dc, int from, int to, int half, bool round);
    void PaintLine(CDC& dc, int from, int to, int penStyle);
    void PaintSticks(CDC& dc, int from, int to, int baseY, bool byBar);
    void PaintBars(CDC& dc, int from, int to, int baseY, bool byBar);
    void PaintSelectionSquares(CDC& dc, int from, int to);

    bool HitsMarkers(int from, int to, int half, int x, int y, int tolerance) const;
    bool HitsLine(int from, int to, int x, int y, int tolerance) const;
    bool HitsSticks(int from, int to, int baseY, int x, int y, int tolerance) const;
    bool HitsBars(int from, int to, int baseY, int x, int y, int tolerance) const;

    // The lowest pixel row inside the plot and the row of value 0 kept inside the plot.
    int BottomRow() const;
    int ZeroRow() const;
    int ClampRow(int y) const;
    // True when bar i closed above its open; bars the curve has no price bar for count as
    // falling.
    bool Rising(int i) const;
    COLORREF LineColour(int i, bool byBar) const;
    COLORREF FillColour(int i, bool byBar) const;

    const CCurve& m_curve;
    SPriceLook m_look;
    bool m_hasLook = false;
    const std::vector<SQuote>* m_bars = nullptr;
};
