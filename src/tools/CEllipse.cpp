#include "CEllipse.h"
#include "ToolGeometry.h"

constexpr unsigned kNameId = 64;

CEllipse::CEllipse() : CLine(kTypeCode, kNameId) {}

void CEllipse::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Block(ownBlock);
}

void CEllipse::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    dc.SelectBrush(SBrush{0xFFFFFF, true});
    dc.Ellipse(AnchorBox());
    if (selected) DrawBoxHandles(dc);
}

int CEllipse::HandleAt(int x, int y) const {
    return BoxHandleAt(x, y);
}

bool CEllipse::OnBody(int x, int y) const {
    return ToolGeometry::OnEllipse(AnchorBox(), x, y, hitTolerance);
}
