#include "CSpeed.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 76;
}

CSpeed::CSpeed() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CSpeed::~CSpeed() = default;

void CSpeed::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    for (int i : {2, 1, 0}) {
        ar.WriteInt(endPoints[i].x);
        ar.WriteInt(endPoints[i].y);
    }
    WriteBlock(ar, ownBlock);
}

bool CSpeed::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    for (int i : {2, 1, 0}) {
        ar.ReadInt(endPoints[i].x);
        ar.ReadInt(endPoints[i].y);
    }
    return ReadBlock(ar, ownBlock);
}

void CSpeed::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const int top = std::min(p1.y, p2.y);
    const int h = std::abs(p1.y - p2.y);
    endPoints = {p2, SPoint{p2.x, top + h / 3}, SPoint{p2.x, top + 2 * h / 3}};
    for (const SPoint& e : endPoints) DrawLine(dc, p1, e);
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2});
}
