#include "CTriangle.h"
#include "ToolGeometry.h"

constexpr unsigned kNameId = 81;

CTriangle::CTriangle() : CGChannel(kTypeCode, kNameId) {}

void CTriangle::StoredFields(CRecordFields& fields) {
    CGChannel::StoredFields(fields);
    fields.Block(ownBlock);
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

int CTriangle::HandleAt(int x, int y) const {
    return HandleAmong({PointOf(x1, y1), PointOf(x2, y2), PointOf(x3, y3)}, x, y);
}

bool CTriangle::OnBody(int x, int y) const {
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const SPoint p3 = PointOf(x3, y3);
    return OnSegment(p1, p2, x, y) || OnSegment(p2, p3, x, y) || OnSegment(p3, p1, x, y);
}

void CTriangle::MoveBy(int x, int y) {
    MovePointsBy(x, y);
}

void CTriangle::DragHandle(int hitCode, float x, float y) {
    if (hitCode == 5)
        CGChannel::DragHandle(hitCode, x, y);
    else
        CLine::DragHandle(hitCode, x, y);
}
