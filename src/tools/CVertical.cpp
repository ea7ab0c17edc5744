#include "CVertical.h"
#include "ToolGeometry.h"
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 82;
}

CVertical::CVertical() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CVertical::~CVertical() = default;

void CVertical::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CVertical::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}

void CVertical::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const int column = IndexToX(x1);
    dc.Line(column, plotTop, column, plotBottom);
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1)});
}

int CVertical::HitTest(int x, int y) {
    if (tracking) return hitState;
    if (selected && ToolGeometry::NearPoint(PointOf(x1, y1), x, y, 2 * hitTolerance))
        return hitState = 3;
    const int column = IndexToX(x1);
    if (std::abs(x - column) <= hitTolerance && y >= plotTop && y <= plotBottom)
        return BodyHit(x, y);
    return Miss();
}
