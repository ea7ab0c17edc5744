#include "CTriangle.h"
#include "ToolGeometry.h"

namespace {
constexpr unsigned kNameId = 81;
}

CTriangle::CTriangle() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CTriangle::~CTriangle() = default;

void CTriangle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(lowerShown);
    ar.WriteInt(upperShown);
    ar.WriteFloat(x4);
    ar.WriteFloat(y4);
    ar.WriteFloat(x3);
    ar.WriteFloat(y3);
    WriteBlock(ar, channelBlock);
    WriteBlock(ar, ownBlock);
}

bool CTriangle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(lowerShown);
    ar.ReadInt(upperShown);
    ar.ReadFloat(x4);
    ar.ReadFloat(y4);
    ar.ReadFloat(x3);
    ar.ReadFloat(y3);
    ReadBlock(ar, channelBlock);
    return ReadBlock(ar, ownBlock);
}

void CTriangle::SetAnchor(float x, float y, int period) {
    CSymbol::SetAnchor(x, y, period);
    x3 = x4 = x;
    y3 = y4 = y;
    SnapIfAsked();
}

void CTriangle::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const SPoint p3 = PointOf(x3, y3);
    ToolGeometry::DrawSegment(dc, p1, p2);
    ToolGeometry::DrawSegment(dc, p2, p3);
    ToolGeometry::DrawSegment(dc, p3, p1);
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2, p3});
}

int CTriangle::HitTest(int x, int y) {
    if (tracking) return hitState;
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const SPoint p3 = PointOf(x3, y3);
    if (selected) {
        const int t = 2 * hitTolerance;
        if (ToolGeometry::NearPoint(p1, x, y, t)) return hitState = 3;
        if (ToolGeometry::NearPoint(p2, x, y, t)) return hitState = 4;
        if (ToolGeometry::NearPoint(p3, x, y, t)) return hitState = 5;
    }
    if (OnSegment(p1, p2, x, y) || OnSegment(p2, p3, x, y) || OnSegment(p3, p1, x, y))
        return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}

void CTriangle::MoveBy(int x, int y) {
    const float dx = XToIndex(x) - XToIndex(grabPoint.x);
    const float dy = YToValue(y) - YToValue(grabPoint.y);
    x3 += dx;
    y3 += dy;
    x4 += dx;
    y4 += dy;
    CLine::MoveBy(x, y);
}

void CTriangle::MapBarIndices(const std::function<float(float)>& map) {
    CLine::MapBarIndices(map);
    x3 = map(x3);
    x4 = map(x4);
}

void CTriangle::DragHandle(int hitCode, float x, float y) {
    if (hitCode != 5) return CLine::DragHandle(hitCode, x, y);
    x3 = x;
    y3 = y;
}
