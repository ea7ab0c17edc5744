#include "CCycle.h"
#include "ToolGeometry.h"
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 63;
}

CCycle::CCycle() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CCycle::~CCycle() = default;

void CCycle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(cycleCount);
    WriteBlock(ar, ownBlock);
}

bool CCycle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    if (!ar.ReadInt(cycleCount) || !CheckRange(ar, cycleCount, 1, kMaxCycles, "cycle count"))
        return false;
    return ReadBlock(ar, ownBlock);
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
