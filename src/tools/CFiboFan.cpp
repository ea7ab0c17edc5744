#include "CFiboFan.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 66;
}

CFiboFan::CFiboFan() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CFiboFan::~CFiboFan() = default;

void CFiboFan::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteFloat(ratio);
    for (int i : {2, 3, 1, 0}) {
        ar.WriteInt(fanPoints[i].x);
        ar.WriteInt(fanPoints[i].y);
    }
    WriteBlock(ar, ownBlock);
}

bool CFiboFan::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadFloat(ratio);
    for (int i : {2, 3, 1, 0}) {
        ar.ReadInt(fanPoints[i].x);
        ar.ReadInt(fanPoints[i].y);
    }
    return ReadBlock(ar, ownBlock);
}

void CFiboFan::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const SPoint origin = p2.x < p1.x ? p2 : p1;
    const int right = std::max(p1.x, p2.x);
    const float top = static_cast<float>(std::min(p1.y, p2.y));
    const float h = static_cast<float>(std::abs(p1.y - p2.y));
    fanPoints[0] = origin;
    fanPoints[1] = SPoint{right, static_cast<int>(top + (1 - ratio) * h)};
    fanPoints[2] = SPoint{right, static_cast<int>(top + 0.5f * h)};
    fanPoints[3] = SPoint{right, static_cast<int>(top + ratio * h)};
    for (size_t i = 1; i < fanPoints.size(); ++i) DrawLine(dc, origin, fanPoints[i]);
    if (selected) {
        dc.SelectPen(ToolGeometry::DiagonalPen());
        ToolGeometry::DrawSegment(dc, p1, p2);
        ToolGeometry::DrawHandles(dc, {p1, p2});
    }
}
