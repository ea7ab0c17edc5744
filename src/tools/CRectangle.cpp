#include "CRectangle.h"
#include "ToolGeometry.h"

CRectangle::CRectangle() {
    typeCode = kTypeCode;
    name = "Rectangle";
}

CRectangle::~CRectangle() = default;

void CRectangle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
}

bool CRectangle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ar.Ok();
}

void CRectangle::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    dc.SelectBrush(SBrush{0xFFFFFF, true});
    dc.Rectangle(ToolGeometry::BoxOf(p1, p2));
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2, SPoint{p1.x, p2.y}, SPoint{p2.x, p1.y}});
}

int CRectangle::HitTest(int x, int y) {
    if (tracking) return hitState;
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    if (const int handle = CornerHandleHit(p1, p2, x, y)) return handle;
    if (ToolGeometry::OnRectOutline(ToolGeometry::BoxOf(p1, p2), x, y, hitTolerance))
        return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}
