#include "CVertical.h"
#include "ToolGeometry.h"
#include <cstdlib>

constexpr unsigned kNameId = 82;

CVertical::CVertical() : CLine(kTypeCode, kNameId) {}

void CVertical::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Block(ownBlock);
}

void CVertical::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const int column = IndexToX(x1);
    dc.Line(column, plotTop, column, plotBottom);
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1)});
}

int CVertical::HandleAt(int x, int y) const {
    return HandleAmong({PointOf(x1, y1)}, x, y);
}

bool CVertical::OnBody(int x, int y) const {
    return std::abs(x - IndexToX(x1)) <= hitTolerance && y >= plotTop && y <= plotBottom;
}
