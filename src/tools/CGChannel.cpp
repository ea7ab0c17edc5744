#include "CGChannel.h"
#include "ToolGeometry.h"

constexpr unsigned kNameId = 70;

CGChannel::CGChannel() : CGChannel(kTypeCode, kNameId) {}

CGChannel::CGChannel(int code, unsigned nameId) : CLine(code, nameId) {}

void CGChannel::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(lowerShown);
    fields.Int(upperShown);
    for (float* field : {&x4, &y4, &x3, &y3}) fields.Float(*field);
    fields.Block(channelBlock);
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

int CGChannel::HandleAt(int x, int y) const {
    if (const int handle = CLine::HandleAt(x, y)) return handle;
    if (upperShown && HandleAmong({PointOf(x3, y3)}, x, y)) return 5;
    if (lowerShown && HandleAmong({PointOf(x4, y4)}, x, y)) return 6;
    return 0;
}

bool CGChannel::OnBody(int x, int y) const {
    if (CLine::OnBody(x, y)) return true;
    SPoint a, b;
    if (upperShown) {
        ParallelThrough(x3, y3, a, b);
        if (OnExtendedSegment(a, b, x, y)) return true;
    }
    if (!lowerShown) return false;
    ParallelThrough(x4, y4, a, b);
    return OnExtendedSegment(a, b, x, y);
}

void CGChannel::MovePointsBy(int x, int y) {
    const float dx = XToIndex(x) - XToIndex(grabPoint.x);
    const float dy = YToValue(y) - YToValue(grabPoint.y);
    x3 += dx;
    y3 += dy;
    x4 += dx;
    y4 += dy;
    CLine::MoveBy(x, y);
}

void CGChannel::MoveBy(int x, int y) {
    MovePointsBy(x, y);
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
