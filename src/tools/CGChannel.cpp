#include "CGChannel.h"
#include "ToolGeometry.h"

namespace {
constexpr unsigned kNameId = 70;
}

CGChannel::CGChannel() : CGChannel(kTypeCode, kNameId) {}

CGChannel::CGChannel(int code, unsigned nameId) {
    typeCode = code;
    SetTranslatedName(nameId);
}

CGChannel::~CGChannel() = default;

void CGChannel::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(lowerShown);
    ar.WriteInt(upperShown);
    ar.WriteFloat(x4);
    ar.WriteFloat(y4);
    ar.WriteFloat(x3);
    ar.WriteFloat(y3);
    WriteBlock(ar, ownBlock);
}

bool CGChannel::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(lowerShown);
    ar.ReadInt(upperShown);
    ar.ReadFloat(x4);
    ar.ReadFloat(y4);
    ar.ReadFloat(x3);
    ar.ReadFloat(y3);
    return ReadBlock(ar, ownBlock);
}

void CGChannel::SetAnchor(float x, float y, int period) {
    CSymbol::SetAnchor(x, y, period);
    x3 = x4 = x;
    y3 = y4 = y;
    SnapIfAsked();
}

void CGChannel::ParallelThrough(float, float y, SPoint& a, SPoint& b) const {
    a = PointOf(x1, y1);
    b = PointOf(x2, y2);
    const int offset = ValueToY(y) - (a.y + b.y) / 2;
    a.y += offset;
    b.y += offset;
}

void CGChannel::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    DrawLine(dc, p1, p2);
    SPoint a, b;
    if (upperShown) {
        ParallelThrough(x3, y3, a, b);
        DrawLine(dc, a, b);
    }
    if (lowerShown) {
        ParallelThrough(x4, y4, a, b);
        DrawLine(dc, a, b);
    }
    if (!selected) return;
    ToolGeometry::DrawHandles(dc, {p1, p2});
    if (upperShown) ToolGeometry::DrawHandles(dc, {PointOf(x3, y3)});
    if (lowerShown) ToolGeometry::DrawHandles(dc, {PointOf(x4, y4)});
}

int CGChannel::HitTest(int x, int y) {
    if (tracking) return hitState;
    const int handleTolerance = 2 * hitTolerance;
    if (selected) {
        if (ToolGeometry::NearPoint(PointOf(x1, y1), x, y, handleTolerance)) return hitState = 3;
        if (ToolGeometry::NearPoint(PointOf(x2, y2), x, y, handleTolerance)) return hitState = 4;
        if (upperShown && ToolGeometry::NearPoint(PointOf(x3, y3), x, y, handleTolerance))
            return hitState = 5;
        if (lowerShown && ToolGeometry::NearPoint(PointOf(x4, y4), x, y, handleTolerance))
            return hitState = 6;
    }
    SPoint a = PointOf(x1, y1), b = PointOf(x2, y2);
    ExtendedSegment(a, b);
    if (OnSegment(a, b, x, y)) return BodyHit(x, y);
    if (upperShown) {
        ParallelThrough(x3, y3, a, b);
        ExtendedSegment(a, b);
        if (OnSegment(a, b, x, y)) return BodyHit(x, y);
    }
    if (lowerShown) {
        ParallelThrough(x4, y4, a, b);
        ExtendedSegment(a, b);
        if (OnSegment(a, b, x, y)) return BodyHit(x, y);
    }
    if (hitState < 3) hitState = 0;
    return 0;
}

void CGChannel::MoveBy(int x, int y) {
    const float dy = YToValue(y) - YToValue(grabPoint.y);
    y3 += dy;
    y4 += dy;
    CLine::MoveBy(x, y);
    x3 = x4 = (x1 + x2) / 2;
}

void CGChannel::MapBarIndices(const std::function<float(float)>& map) {
    CLine::MapBarIndices(map);
    x3 = map(x3);
    x4 = map(x4);
}

void CGChannel::DragHandle(int hitCode, float x, float y) {
    if (hitCode == 5) {
        x3 = x;
        y3 = y;
    } else if (hitCode == 6) {
        x4 = x;
        y4 = y;
    } else {
        CLine::DragHandle(hitCode, x, y);
    }
}
