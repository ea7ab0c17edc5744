#include "CFiboTime.h"
#include "ToolGeometry.h"

constexpr unsigned kNameId = 68;

CFiboTime::CFiboTime() : CLine(kTypeCode, kNameId) {}

void CFiboTime::SetZoneCount(int count) {
    zoneCount = count;
    offsets.clear();
    uint32_t previous = 0, current = 1;
    for (int i = 0; i < count; ++i) {
        offsets.push_back(current);
        const uint32_t next = previous + current;
        previous = current;
        current = next;
    }
}

void CFiboTime::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(zoneCount, 1, kMaxZones, "time-zone count");
    fields.List(offsets, 4, [](CRecordFields& f, uint32_t& offset) { f.Int(offset); });
    fields.Block(ownBlock);
}

void CFiboTime::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const int base = static_cast<int>(x1);
    for (const uint32_t offset : offsets) {
        const int column = IndexToX(static_cast<float>(base + static_cast<int>(offset)));
        dc.Line(column, plotBottom, column, plotTop);
    }
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1), PointOf(x2, y2)});
}
