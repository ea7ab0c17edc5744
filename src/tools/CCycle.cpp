#include "CCycle.h"
#include "ToolGeometry.h"
#include <cstdlib>

constexpr unsigned kNameId = 63;

CCycle::CCycle() : CLine(kTypeCode, kNameId) {}

void CCycle::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(cycleCount, 1, kMaxCycles, "cycle count");
    fields.Block(ownBlock);
}

void CCycle::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const int w = std::abs(p2.x - p1.x);
    const int reach = w == 0 ? 0 : cycleCount;
    for (int k = -reach; k <= reach; ++k) {
        const int column = p1.x + k * w;
        dc.Line(column, plotBottom, column, plotTop);
    }
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2});
}
