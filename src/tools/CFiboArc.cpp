#include "CFiboArc.h"
#include "ToolGeometry.h"
#include <cmath>

constexpr unsigned kNameId = 65;

CFiboArc::CFiboArc() : CLine(kTypeCode, kNameId) {}

void CFiboArc::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Float(ratio, 0, 1, "Fibonacci arc ratio");
    fields.Block(ownBlock);
}

std::array<int, 3> CFiboArc::Radii() const {
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const float dx = static_cast<float>(p2.x - p1.x);
    const float dy = static_cast<float>(p2.y - p1.y);
    const float r = std::sqrt(dx * dx + dy * dy);
    const float held = ToolGeometry::Held(ratio, 0, 1);
    return {static_cast<int>(r * 0.5f), static_cast<int>(r * (1 - held)),
            static_cast<int>(r * held)};
}

void CFiboArc::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const bool upper = p2.y <= p1.y;
    for (const int radius : Radii()) {
        const CRect box{p1.x - radius, p1.y - radius, p1.x + radius, p1.y + radius};
        const CPoint right{p1.x + radius, p1.y};
        const CPoint left{p1.x - radius, p1.y};
        // Arcs run counter-clockwise: right to left over the top, left to right underneath.
        if (upper)
            dc.Arc(box, right, left);
        else
            dc.Arc(box, left, right);
    }
    if (selected) {
        dc.SelectPen(ToolGeometry::DiagonalPen());
        ToolGeometry::DrawSegment(dc, p1, p2);
        ToolGeometry::DrawHandles(dc, {p1, p2});
    }
}
