#include "CArrow.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cmath>

CArrow::CArrow() : CLine(kTypeCode, "Arrow") {}

void CArrow::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(headFlag);
    fields.Float(headFactor, 0, kMaxHeadFactor, "head factor");
    fields.Int(headLength, 0, kMaxHeadLength, "head length");
    fields.Block(ownBlock);
}

std::array<CPoint, 3> CArrow::Head(SPoint from, SPoint tip) const {
    const float dx = static_cast<float>(tip.x - from.x);
    const float dy = static_cast<float>(tip.y - from.y);
    const float shaft = std::sqrt(dx * dx + dy * dy);
    const CPoint t{tip.x, tip.y};
    if (shaft == 0) return {t, t, t};
    const float length = std::max(static_cast<float>(std::clamp(headLength, 0, kMaxHeadLength)),
                                  ToolGeometry::Held(headFactor, 0, kMaxHeadFactor) * shaft);
    const float ux = dx / shaft;
    const float uy = dy / shaft;
    const float baseX = static_cast<float>(tip.x) - ux * length;
    const float baseY = static_cast<float>(tip.y) - uy * length;
    const float half = length / 2;
    return {t,
            CPoint{static_cast<int>(std::lround(baseX - uy * half)),
                   static_cast<int>(std::lround(baseY + ux * half))},
            CPoint{static_cast<int>(std::lround(baseX + uy * half)),
                   static_cast<int>(std::lround(baseY - ux * half))}};
}

void CArrow::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    ToolGeometry::DrawSegment(dc, p1, p2);
    if (headFlag && (p1.x != p2.x || p1.y != p2.y)) {
        const std::array<CPoint, 3> head = Head(p1, p2);
        dc.SelectPen(SPen{kPenSolid, 1, color});
        dc.SelectBrush(SBrush{color, false});
        dc.Polygon(head);
    }
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2});
}
