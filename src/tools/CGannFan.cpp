#include "CGannFan.h"
#include "ToolGeometry.h"

constexpr unsigned kNameId = 69;

CGannFan::CGannFan() : CLine(kTypeCode, kNameId) {}

void CGannFan::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    for (SPoint& point : endPoints) fields.Point(point);
    fields.Block(ownBlock);
}

void CGannFan::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint o = PointOf(x1, y1);
    const SPoint e = PointOf(x2, y2);
    const float dx = static_cast<float>(e.x - o.x);
    const float dy = static_cast<float>(e.y - o.y);
    constexpr std::array<float, 4> kSteps = {0.125f, 0.25f, 0.375f, 0.5f};
    for (const float step : kSteps)
        DrawLine(dc, o, SPoint{static_cast<int>(static_cast<float>(o.x) + dx * step), e.y});
    DrawLine(dc, o, e);
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step)
        DrawLine(dc, o, SPoint{e.x, static_cast<int>(static_cast<float>(o.y) + dy * *step)});
    DrawLine(dc, o, e);
    if (selected) ToolGeometry::DrawHandles(dc, {o, e});
}
