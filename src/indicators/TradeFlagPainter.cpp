#include "TradeFlagPainter.h"
#include "CTradeFlag.h"
#include "quotes/CViewPar.h"
#include <algorithm>
#include <array>
#include <cmath>

TradeFlagPainter::EShape TradeFlagPainter::ShapeOf(int symbol) {
    switch (symbol) {
    case 1:
        return kCircle;
    case 7:
        return kSquare;
    case 8:
        return kTriangleDown;
    case 9:
        return kTriangleUp;
    case 12:
        return kDiamond;
    default:
        return kArrow;
    }
}

void TradeFlagPainter::Paint(CDC& dc) {
    const int n = static_cast<int>(m_flag.values.size());
    const int from = std::max(0, static_cast<int>(m_flag.firstIndex));
    const int to = std::min(n, static_cast<int>(m_flag.endIndex));
    if (from >= to) return;
    const bool buy = m_flag.direction == CTradeFlag::kBuy;
    const EShape shape = ShapeOf(m_flag.symbol);
    dc.SelectPen(SPen{kPenSolid, 1, m_flag.colour});
    dc.SelectBrush(SBrush{m_flag.colour});
    for (int i = from; i < to; ++i) {
        const float price = m_flag.values[i];
        if (price == 0.0f || !std::isfinite(price)) continue;
        const int x = m_flag.IndexToX(static_cast<float>(i));
        const int y = m_flag.ValueToY(price);
        const int cy = buy ? y + kGap + kHalf : y - kGap - kHalf;
        PaintShape(dc, shape, x, cy, buy);
    }
    if (!m_flag.text.empty()) PaintTexts(dc, from, to, buy);
}

LOGFONT TradeFlagPainter::TextFont() const {
    if (m_flag.font.lfFaceName[0] != '\0') return m_flag.font;
    // Without a font of its own, a flag writes in the panes' default font.
    return CViewPar::DefaultFont();
}

void TradeFlagPainter::PaintTexts(CDC& dc, int from, int to, bool buy) {
    dc.SelectFont(TextFont());
    dc.SetTextColor(m_flag.secondColour);
    dc.SetBkMode(kTransparent);
    const CSize extent = dc.GetTextExtent(m_flag.text);
    for (int i = from; i < to; ++i) {
        const float price = m_flag.values[i];
        if (price == 0.0f || !std::isfinite(price)) continue;
        const int x = m_flag.IndexToX(static_cast<float>(i));
        const int y = m_flag.ValueToY(price);
        // Beyond the marker, away from the price: below a buy flag, above a sell flag.
        const int top = buy ? y + kGap + 2 * kHalf + 2 : y - kGap - 2 * kHalf - 2 - extent.cy;
        dc.TextOut(x - extent.cx / 2, top, m_flag.text);
    }
}

void TradeFlagPainter::PaintShape(CDC& dc, EShape shape, int cx, int cy, bool up) {
    const int h = kHalf;
    const CRect box{cx - h, cy - h, cx + h + 1, cy + h + 1};
    switch (shape) {
    case kCircle:
        dc.Ellipse(box);
        return;
    case kSquare:
        dc.Rectangle(box);
        return;
    case kTriangleUp: {
        const std::array<CPoint, 3> p{{{cx, cy - h}, {cx + h, cy + h}, {cx - h, cy + h}}};
        dc.Polygon(p);
        return;
    }
    case kTriangleDown: {
        const std::array<CPoint, 3> p{{{cx, cy + h}, {cx + h, cy - h}, {cx - h, cy - h}}};
        dc.Polygon(p);
        return;
    }
    case kDiamond: {
        const std::array<CPoint, 4> p{{{cx, cy - h}, {cx + h, cy}, {cx, cy + h}, {cx - h, cy}}};
        dc.Polygon(p);
        return;
    }
    case kArrow: {
        // Tip at the edge nearest the price; a head half the marker long, then a shaft.
        const int d = up ? 1 : -1;
        const int tip = cy - d * h;
        const int neck = cy;
        const int tail = cy + d * h;
        const int s = h / 2;
        const std::array<CPoint, 7> p{{{cx, tip},
                                       {cx + h, neck},
                                       {cx + s, neck},
                                       {cx + s, tail},
                                       {cx - s, tail},
                                       {cx - s, neck},
                                       {cx - h, neck}}};
        dc.Polygon(p);
        return;
    }
    }
}

bool TradeFlagPainter::Hits(int x, int y, int tolerance) const {
    const int n = static_cast<int>(m_flag.values.size());
    const int from = std::max(0, static_cast<int>(m_flag.firstIndex));
    const int to = std::min(n, static_cast<int>(m_flag.endIndex));
    const bool buy = m_flag.direction == CTradeFlag::kBuy;
    for (int i = from; i < to; ++i) {
        const float price = m_flag.values[i];
        if (price == 0.0f || !std::isfinite(price)) continue;
        const int cx = m_flag.IndexToX(static_cast<float>(i));
        const int py = m_flag.ValueToY(price);
        const int cy = buy ? py + kGap + kHalf : py - kGap - kHalf;
        if (CSymbol::InBox(cx - kHalf, cy - kHalf, cx + kHalf + 1, cy + kHalf + 1, x, y, tolerance))
            return true;
    }
    return false;
}
