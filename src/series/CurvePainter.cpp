#include "CurvePainter.h"
#include "CCurve.h"
#include <algorithm>
#include <cmath>

namespace {

// A vertical line from row y1 to row y2, both rows drawn.
void VerticalInclusive(CDC& dc, int x, int y1, int y2) {
    const int step = y2 >= y1 ? 1 : -1;
    dc.Line(x, y1, x, y2 + step);
}

} // namespace

CurvePainter::CurvePainter(const CCurve& curve) : m_curve(curve) {
    if (curve.owner) {
        m_hasLook = curve.owner->PriceLook(m_look);
        m_bars = curve.owner->PriceBars();
    }
}

void CurvePainter::Paint(CDC& dc) {
    const int n = static_cast<int>(m_curve.size());
    const int from = std::max(0, static_cast<int>(m_curve.firstIndex));
    const int to = std::min(n, static_cast<int>(m_curve.endIndex));
    if (from >= to) return;
    const int kind = m_curve.drawKind;
    switch (kind) {
    case 0:
        PaintMarkers(dc, from, to, kDotHalf, true);
        break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        // Kinds 1..5 are solid, dash, dot, dash-dot and dash-dot-dot: pen styles 0..4.
        PaintLine(dc, from, to, kind - 1);
        PaintMarkers(dc, from, to, kMarkerHalf, false);
        break;
    case 6:
    case 7:
        PaintSticks(dc, from, to, BottomRow(), kind == 7);
        break;
    case 8:
    case 9:
        PaintSticks(dc, from, to, ZeroRow(), kind == 9);
        break;
    case 10:
    case 11:
        PaintBars(dc, from, to, BottomRow(), kind == 11);
        break;
    case 12:
    case 13:
        PaintBars(dc, from, to, ZeroRow(), kind == 13);
        break;
    default:
        break;
    }
    if (m_curve.IsSelected()) PaintSelectionSquares(dc, from, to);
}

void CurvePainter::PaintMarkers(CDC& dc, int from, int to, int half, bool round) {
    dc.SelectPen(SPen{kPenSolid, 1, m_curve.colour});
    dc.SelectBrush(SBrush{m_curve.colour});
    // With more bars than pixels many values land on the same spot: the same solid marker
    // drawn there again would change no pixel.
    int lastX = 0, lastY = 0;
    bool drawn = false;
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        const int x = m_curve.IndexToX(static_cast<float>(i));
        const int y = m_curve.ValueToY(value);
        if (drawn && x == lastX && y == lastY) continue;
        drawn = true;
        lastX = x;
        lastY = y;
        const CRect box{x - half, y - half, x + half + 1, y + half + 1};
        if (round)
            dc.Ellipse(box);
        else
            dc.Rectangle(box);
    }
}

void CurvePainter::PaintLine(CDC& dc, int from, int to, int penStyle) {
    dc.SelectPen(SPen{penStyle, std::max(1, m_curve.lineWidth), m_curve.colour});
    std::vector<CPoint> run;
    auto flush = [&] {
        if (run.size() >= 2) dc.Polyline(run);
        run.clear();
    };
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) {
            flush();
            continue;
        }
        run.push_back(CPoint{m_curve.IndexToX(static_cast<float>(i)), m_curve.ValueToY(value)});
    }
    flush();
}

void CurvePainter::PaintSticks(CDC& dc, int from, int to, int baseY, bool byBar) {
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        dc.SelectPen(SPen{kPenSolid, 1, LineColour(i, byBar)});
        const int x = m_curve.IndexToX(static_cast<float>(i));
        VerticalInclusive(dc, x, baseY, ClampRow(m_curve.ValueToY(value)));
    }
}

void CurvePainter::PaintBars(CDC& dc, int from, int to, int baseY, bool byBar) {
    const int half = m_hasLook ? std::max(0, m_look.barHalfWidth) : 0;
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        dc.SelectPen(SPen{kPenSolid, 1, LineColour(i, byBar)});
        dc.SelectBrush(SBrush{FillColour(i, byBar)});
        const int x = m_curve.IndexToX(static_cast<float>(i));
        const int y = ClampRow(m_curve.ValueToY(value));
        // The columns of a candle body, so neighbouring bars keep the candles' gap.
        const int left = half > 0 ? x - half + 1 : x;
        const int right = half > 0 ? x + half : x + 1;
        dc.Rectangle(CRect{left, std::min(y, baseY), right, std::max(y, baseY) + 1});
    }
}

void CurvePainter::PaintSelectionSquares(CDC& dc, int from, int to) {
    // One square every dozen pixels at most, so a dense curve keeps visible squares.
    constexpr int kSpacing = 12;
    dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(0, 0, 0)});
    dc.SelectBrush(SBrush{MakeRGB(255, 255, 255)});
    int lastX = 0;
    bool any = false;
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        const int x = m_curve.IndexToX(static_cast<float>(i));
        if (any && x - lastX < kSpacing) continue;
        const int y = ClampRow(m_curve.ValueToY(value));
        dc.Rectangle(CRect{x - 3, y - 3, x + 3, y + 3});
        lastX = x;
        any = true;
    }
}

int CurvePainter::BottomRow() const {
    return std::max(m_curve.plotTop, m_curve.plotBottom - 1);
}

int CurvePainter::ZeroRow() const {
    return ClampRow(m_curve.ValueToY(0.0f));
}

int CurvePainter::ClampRow(int y) const {
    return std::clamp(y, m_curve.plotTop, BottomRow());
}

bool CurvePainter::Rising(int i) const {
    if (!m_bars || i >= static_cast<int>(m_bars->size())) return false;
    const SQuote& q = (*m_bars)[i];
    return q.close > q.open;
}

COLORREF CurvePainter::LineColour(int i, bool byBar) const {
    if (!byBar || !m_hasLook) return m_curve.colour;
    return Rising(i) ? m_look.riseLine : m_look.fallLine;
}

COLORREF CurvePainter::FillColour(int i, bool byBar) const {
    if (!byBar || !m_hasLook) return m_curve.fillColour;
    return Rising(i) ? m_look.riseFill : m_look.fallFill;
}

bool CurvePainter::Hits(int x, int y, int tolerance) const {
    const int n = static_cast<int>(m_curve.size());
    const int from = std::max(0, static_cast<int>(m_curve.firstIndex));
    const int to = std::min(n, static_cast<int>(m_curve.endIndex));
    if (from >= to) return false;
    switch (m_curve.drawKind) {
    case 0:
        return HitsMarkers(from, to, kDotHalf, x, y, tolerance);
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        return HitsLine(from, to, x, y, tolerance + std::max(1, m_curve.lineWidth) / 2) ||
               HitsMarkers(from, to, kMarkerHalf, x, y, tolerance);
    case 6:
    case 7:
        return HitsSticks(from, to, BottomRow(), x, y, tolerance);
    case 8:
    case 9:
        return HitsSticks(from, to, ZeroRow(), x, y, tolerance);
    case 10:
    case 11:
        return HitsBars(from, to, BottomRow(), x, y, tolerance);
    case 12:
    case 13:
        return HitsBars(from, to, ZeroRow(), x, y, tolerance);
    default:
        return false;
    }
}

bool CurvePainter::HitsMarkers(int from, int to, int half, int x, int y, int tolerance) const {
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        const int cx = m_curve.IndexToX(static_cast<float>(i));
        const int cy = m_curve.ValueToY(value);
        if (CSymbol::InBox(cx - half, cy - half, cx + half + 1, cy + half + 1, x, y, tolerance))
            return true;
    }
    return false;
}

bool CurvePainter::HitsLine(int from, int to, int x, int y, int tolerance) const {
    bool previous = false;
    SPoint last;
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) {
            previous = false;
            continue;
        }
        const SPoint point{m_curve.IndexToX(static_cast<float>(i)), m_curve.ValueToY(value)};
        if (previous && CSymbol::NearSegment(last, point, x, y, tolerance)) return true;
        last = point;
        previous = true;
    }
    return false;
}

bool CurvePainter::HitsSticks(int from, int to, int baseY, int x, int y, int tolerance) const {
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        const int sx = m_curve.IndexToX(static_cast<float>(i));
        const int sy = ClampRow(m_curve.ValueToY(value));
        if (CSymbol::InBox(sx, std::min(sy, baseY), sx + 1, std::max(sy, baseY) + 1, x, y,
                           tolerance))
            return true;
    }
    return false;
}

bool CurvePainter::HitsBars(int from, int to, int baseY, int x, int y, int tolerance) const {
    const int half = m_hasLook ? std::max(0, m_look.barHalfWidth) : 0;
    for (int i = from; i < to; ++i) {
        const float value = m_curve.RawAt(i);
        if (!std::isfinite(value)) continue;
        const int bx = m_curve.IndexToX(static_cast<float>(i));
        const int by = ClampRow(m_curve.ValueToY(value));
        const int left = half > 0 ? bx - half + 1 : bx;
        const int right = half > 0 ? bx + half : bx + 1;
        if (CSymbol::InBox(left, std::min(by, baseY), right, std::max(by, baseY) + 1, x, y,
                           tolerance))
            return true;
    }
    return false;
}
