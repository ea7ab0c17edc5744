#include "CRectangle.h"
#include "ToolGeometry.h"

CRectangle::CRectangle() : CLine(kTypeCode, "Rectangle") {}

void CRectangle::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    dc.SelectBrush(SBrush{0xFFFFFF, true});
    dc.Rectangle(AnchorBox());
    if (selected) DrawBoxHandles(dc);
}

int CRectangle::HandleAt(int x, int y) const {
    return BoxHandleAt(x, y);
}

bool CRectangle::OnBody(int x, int y) const {
    return ToolGeometry::OnRectOutline(AnchorBox(), x, y, hitTolerance);
}
