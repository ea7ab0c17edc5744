#include "CEllipse.h"
#include "ToolGeometry.h"

namespace {
constexpr unsigned kNameId = 64;
}

CEllipse::CEllipse() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CEllipse::~CEllipse() = default;

void CEllipse::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CEllipse::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}

void CEllipse::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    dc.SelectBrush(SBrush{0xFFFFFF, true});
    dc.Ellipse(ToolGeometry::BoxOf(p1, p2));
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2, SPoint{p1.x, p2.y}, SPoint{p2.x, p1.y}});
}

int CEllipse::HitTest(int x, int y) {
    if (tracking) return hitState;
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    if (const int handle = CornerHandleHit(p1, p2, x, y)) return handle;
    if (ToolGeometry::OnEllipse(ToolGeometry::BoxOf(p1, p2), x, y, hitTolerance))
        return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}
