#include "CFiboFan.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cstdlib>

constexpr unsigned kNameId = 66;

CFiboFan::CFiboFan() : CLine(kTypeCode, kNameId) {}

void CFiboFan::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Float(ratio, 0, 1, "Fibonacci fan ratio");
    for (int i : {2, 3, 1, 0}) fields.Point(fanPoints[i]);
    fields.Block(ownBlock);
}

void CFiboFan::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const SPoint origin = p2.x < p1.x ? p2 : p1;
    const int right = std::max(p1.x, p2.x);
    const float top = static_cast<float>(std::min(p1.y, p2.y));
    const float h = static_cast<float>(std::abs(p1.y - p2.y));
    const float r = ToolGeometry::Held(ratio, 0, 1);
    for (const float height : {1 - r, 0.5f, r})
        DrawLine(dc, origin, SPoint{right, static_cast<int>(top + height * h)});
    if (selected) {
        dc.SelectPen(ToolGeometry::DiagonalPen());
        ToolGeometry::DrawSegment(dc, p1, p2);
        ToolGeometry::DrawHandles(dc, {p1, p2});
    }
}
