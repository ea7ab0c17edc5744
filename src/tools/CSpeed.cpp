#include "CSpeed.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cstdlib>

constexpr unsigned kNameId = 76;

CSpeed::CSpeed() : CLine(kTypeCode, kNameId) {}

void CSpeed::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    for (int i : {2, 1, 0}) fields.Point(endPoints[i]);
    fields.Block(ownBlock);
}

void CSpeed::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const int top = std::min(p1.y, p2.y);
    const int h = std::abs(p1.y - p2.y);
    for (const SPoint e : {p2, SPoint{p2.x, top + h / 3}, SPoint{p2.x, top + 2 * h / 3}})
        DrawLine(dc, p1, e);
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2});
}
