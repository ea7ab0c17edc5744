#include "CArrow.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cmath>

CArrow::CArrow() {
    typeCode = kTypeCode;
    name = "Arrow";
}

CArrow::~CArrow() = default;

void CArrow::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(headFlag);
    ar.WriteFloat(headFactor);
    ar.WriteInt(headLength);
    WriteBlock(ar, ownBlock);
}

bool CArrow::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(headFlag);
    ar.ReadFloat(headFactor);
    ar.ReadInt(headLength);
    return ReadBlock(ar, ownBlock);
}

std::array<CPoint, 3> CArrow::Head(SPoint from, SPoint tip) const {
    const float dx = static_cast<float>(tip.x - from.x);
    const float dy = static_cast<float>(tip.y - from.y);
    const float shaft = std::sqrt(dx * dx + dy * dy);
    const CPoint t{tip.x, tip.y};
    if (shaft == 0) return {t, t, t};
    const float length = std::max(static_cast<float>(headLength), headFactor * shaft);
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
