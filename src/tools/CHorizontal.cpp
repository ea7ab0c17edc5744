#include "CHorizontal.h"
#include "ToolGeometry.h"
#include <cstdlib>

constexpr unsigned kNameId = 71;

CHorizontal::CHorizontal() : CLine(kTypeCode, kNameId) {}

CHorizontal::CHorizontal(float value) : CHorizontal() {
    SetValue(value);
}

void CHorizontal::SetValue(float value) {
    y1 = y2 = value;
}

void CHorizontal::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Block(ownBlock);
}

void CHorizontal::SetPoint2(float x, float) {
    CLine::SetPoint2(x, y1);
}

void CHorizontal::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const int row = ValueToY(y1);
    dc.Line(plotLeft, row, plotRight, row);
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1)});
}

int CHorizontal::HandleAt(int x, int y) const {
    return HandleAmong({PointOf(x1, y1)}, x, y);
}

bool CHorizontal::OnBody(int x, int y) const {
    return std::abs(y - ValueToY(y1)) <= hitTolerance && x >= plotLeft && x <= plotRight;
}
