#include "CFiboTime.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

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
    if (fields.Reading() && fields.Ok() && !(std::fabs(x1) <= kMaxAnchorBar))
        fields.Fail("a time-zone anchor at bar " + std::to_string(x1));
    fields.Int(zoneCount, 1, kMaxZones, "time-zone count");
    fields.List(offsets, 4, [](CRecordFields& f, uint32_t& offset) { f.Int(offset); });
    if (fields.Reading() && fields.Ok()) {
        if (offsets.size() > static_cast<size_t>(kMaxZones))
            fields.Fail("a time-zone offset count of " + std::to_string(offsets.size()) +
                        " (allowed 0 to " + std::to_string(kMaxZones) + ")");
        for (const uint32_t offset : offsets)
            if (fields.Ok() && offset > static_cast<uint32_t>(INT32_MAX))
                fields.Fail("a time-zone offset of " + std::to_string(offset));
    }
    fields.Block(ownBlock);
}

void CFiboTime::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    // The zones count whole bars from the anchor's bar; summed in double, as no int can be
    // trusted to hold an anchor and an offset from a file.
    if (std::isfinite(x1)) {
        const double base = std::trunc(static_cast<double>(x1));
        const size_t zones = std::min(offsets.size(), static_cast<size_t>(kMaxZones));
        for (size_t i = 0; i < zones; ++i) {
            const int column = IndexToX(static_cast<float>(base + offsets[i]));
            dc.Line(column, plotBottom, column, plotTop);
        }
    }
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1), PointOf(x2, y2)});
}
