#include "PriceBarPainter.h"
#include "CStock.h"
#include "ctlkit/dc/PenStyles.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The pen of line and OHLC bars: a weight from a file no dialog made stays within what the
// dialog offers.
int LineWidth(const CStock& stock) {
    return std::clamp(stock.ViewSwitchC(), 1, CStock::kMaxLineWeight);
}

bool AllFinite(const SQuote& q) {
    return std::isfinite(q.open) && std::isfinite(q.high) && std::isfinite(q.low) &&
           std::isfinite(q.close);
}

} // namespace

void PriceBarPainter::Paint(CDC& dc) {
    UpdateHalfWidth();
    const int n = static_cast<int>(m_stock.Display().size());
    const int from = std::max(0, static_cast<int>(m_stock.firstIndex));
    const int to = std::min(n, static_cast<int>(m_stock.endIndex));
    if (from >= to) return;
    switch (m_stock.ViewSwitchA()) {
    case 1:
        PaintOhlc(dc, from, to);
        break;
    case 2:
        PaintCandles(dc, from, to);
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        PaintLine(dc, from, to);
        break;
    default:
        break;
    }
    if (m_stock.IsSelected()) PaintSelectionSquares(dc, from, to);
}

void PriceBarPainter::UpdateHalfWidth() {
    if (m_stock.BarHalfWidthByHand()) return;
    const int first = static_cast<int>(m_stock.firstIndex);
    const int end = static_cast<int>(m_stock.endIndex);
    if (end <= first) return;
    const int span =
        m_stock.IndexToX(static_cast<float>(end)) - m_stock.IndexToX(static_cast<float>(first));
    m_stock.SetComputedBarHalfWidth(std::max(0, span / (end - first) / 2));
}

void PriceBarPainter::PaintOhlc(CDC& dc, int from, int to) {
    const std::vector<SQuote>& bars = m_stock.Display();
    const int h = m_stock.BarHalfWidth();
    const int width = LineWidth(m_stock);
    for (int i = from; i < to; ++i) {
        const SQuote& q = bars[i];
        if (!AllFinite(q)) continue;
        const COLORREF colour = q.open < q.close   ? m_stock.Colour(3)
                                : q.open > q.close ? m_stock.Colour(4)
                                                   : m_stock.Colour(5);
        dc.SelectPen(SPen{kPenSolid, width, colour});
        const int x = m_stock.IndexToX(static_cast<float>(i));
        dc.Line(x, m_stock.ValueToY(q.high), x, m_stock.ValueToY(q.low));
        const int yOpen = m_stock.ValueToY(q.open);
        dc.Line(x, yOpen, x - h, yOpen);
        const int yClose = m_stock.ValueToY(q.close);
        dc.Line(x, yClose, x + h, yClose);
    }
}

void PriceBarPainter::PaintCandles(CDC& dc, int from, int to) {
    const std::vector<SQuote>& bars = m_stock.Display();
    const int h = m_stock.BarHalfWidth();
    for (int i = from; i < to; ++i) {
        const SQuote& q = bars[i];
        if (!AllFinite(q)) continue;
        const int x = m_stock.IndexToX(static_cast<float>(i));
        const int yHigh = m_stock.ValueToY(q.high);
        const int yLow = m_stock.ValueToY(q.low);
        const int yOpen = m_stock.ValueToY(q.open);
        if (q.open == q.close) {
            dc.SelectPen(SPen{kPenSolid, 1, m_stock.Colour(5)});
            dc.SelectBrush(SBrush{m_stock.Colour(1)});
            dc.Line(x, yHigh, x, yLow);
            dc.Line(x - h, yOpen, x + h + 1, yOpen);
            continue;
        }
        const bool rising = q.open < q.close;
        dc.SelectPen(SPen{kPenSolid, 1, rising ? m_stock.Colour(3) : m_stock.Colour(4)});
        dc.SelectBrush(SBrush{rising ? m_stock.Colour(1) : m_stock.Colour(2)});
        const int yClose = m_stock.ValueToY(q.close);
        const int top = std::min(yOpen, yClose);
        const int bottom = std::max(yOpen, yClose);
        dc.Rectangle(CRect{x - h + 1, top, x + h, bottom});
        dc.Line(x, top, x, yHigh);
        dc.Line(x, bottom, x, yLow);
    }
}

float PriceBarPainter::ChosenPrice(int i) const {
    const SQuote& q = m_stock.Display()[i];
    switch (m_stock.ViewSwitchA()) {
    case 4:
        return q.close;
    case 5:
        return q.high;
    case 6:
        return q.low;
    default:
        return q.open;
    }
}

void PriceBarPainter::PaintLine(CDC& dc, int from, int to) {
    dc.SelectPen(SPen{PenStyles::PricePenStyle(m_stock.ViewSwitchD()), LineWidth(m_stock),
                      m_stock.Colour(3)});
    std::vector<CPoint> points;
    points.reserve(static_cast<size_t>(to - from));
    auto flush = [&] {
        if (points.size() > 1) dc.Polyline(points);
        points.clear();
    };
    for (int i = from; i < to; ++i) {
        const float price = ChosenPrice(i);
        if (!std::isfinite(price)) {
            flush();
            continue;
        }
        points.push_back({m_stock.IndexToX(static_cast<float>(i)), m_stock.ValueToY(price)});
    }
    flush();
}

void PriceBarPainter::PaintSelectionSquares(CDC& dc, int from, int to) {
    dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(0, 0, 0)});
    dc.SelectBrush(SBrush{MakeRGB(255, 255, 255)});
    for (int i = from; i < to; ++i) {
        const float price = ChosenPrice(i);
        if (!std::isfinite(price)) continue;
        const int x = m_stock.IndexToX(static_cast<float>(i));
        const int y = m_stock.ValueToY(price);
        dc.Rectangle(CRect{x - 3, y - 3, x + 3, y + 3});
    }
}

bool PriceBarPainter::Hits(int x, int y, int tolerance) const {
    const int n = static_cast<int>(m_stock.Display().size());
    const int from = std::max(0, static_cast<int>(m_stock.firstIndex));
    const int to = std::min(n, static_cast<int>(m_stock.endIndex));
    if (from >= to) return false;
    const int style = m_stock.ViewSwitchA();
    if (style >= 3 && style <= 6) return HitsLine(from, to, x, y, tolerance);
    if (style != 1 && style != 2) return false;
    for (int i = from; i < to; ++i) {
        if (!AllFinite(m_stock.Display()[i])) continue;
        if (style == 1 ? HitsOhlc(i, x, y, tolerance) : HitsCandle(i, x, y, tolerance)) return true;
    }
    return false;
}

bool PriceBarPainter::HitsOhlc(int i, int x, int y, int tolerance) const {
    const SQuote& q = m_stock.Display()[i];
    const int t = tolerance + LineWidth(m_stock) / 2;
    const int h = m_stock.BarHalfWidth();
    const int bx = m_stock.IndexToX(static_cast<float>(i));
    const int yHigh = m_stock.ValueToY(q.high);
    const int yLow = m_stock.ValueToY(q.low);
    const int yOpen = m_stock.ValueToY(q.open);
    const int yClose = m_stock.ValueToY(q.close);
    return CSymbol::InBox(bx, std::min(yHigh, yLow), bx + 1, std::max(yHigh, yLow) + 1, x, y, t) ||
           CSymbol::InBox(bx - h, yOpen, bx + 1, yOpen + 1, x, y, t) ||
           CSymbol::InBox(bx, yClose, bx + h + 1, yClose + 1, x, y, t);
}

bool PriceBarPainter::HitsCandle(int i, int x, int y, int tolerance) const {
    const SQuote& q = m_stock.Display()[i];
    const int h = m_stock.BarHalfWidth();
    const int bx = m_stock.IndexToX(static_cast<float>(i));
    const int yHigh = m_stock.ValueToY(q.high);
    const int yLow = m_stock.ValueToY(q.low);
    const int yOpen = m_stock.ValueToY(q.open);
    // The wicks run from the high to the low through the body.
    if (CSymbol::InBox(bx, std::min(yHigh, yLow), bx + 1, std::max(yHigh, yLow) + 1, x, y,
                       tolerance))
        return true;
    if (q.open == q.close)
        return CSymbol::InBox(bx - h, yOpen, bx + h + 1, yOpen + 1, x, y, tolerance);
    const int yClose = m_stock.ValueToY(q.close);
    return CSymbol::InBox(bx - h + 1, std::min(yOpen, yClose), bx + h, std::max(yOpen, yClose), x,
                          y, tolerance);
}

bool PriceBarPainter::HitsLine(int from, int to, int x, int y, int tolerance) const {
    const int t = tolerance + LineWidth(m_stock) / 2;
    bool previous = false;
    SPoint last;
    for (int i = from; i < to; ++i) {
        const float price = ChosenPrice(i);
        if (!std::isfinite(price)) {
            previous = false;
            continue;
        }
        const SPoint point{m_stock.IndexToX(static_cast<float>(i)), m_stock.ValueToY(price)};
        if (previous && CSymbol::NearSegment(last, point, x, y, t)) return true;
        last = point;
        previous = true;
    }
    return false;
}
