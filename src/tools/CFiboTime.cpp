#include "CFiboTime.h"
#include "ToolGeometry.h"

namespace {
constexpr unsigned kNameId = 68;
}

CFiboTime::CFiboTime() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

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

CFiboTime::~CFiboTime() = default;

void CFiboTime::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(zoneCount);
    ar.WriteInt(static_cast<int32_t>(offsets.size()));
    for (uint32_t offset : offsets) ar.WriteInt(static_cast<int32_t>(offset));
    WriteBlock(ar, ownBlock);
}

bool CFiboTime::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    if (!ar.ReadInt(zoneCount) || !CheckRange(ar, zoneCount, 1, kMaxZones, "time-zone count"))
        return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, 4)) return false;
    offsets.assign(static_cast<size_t>(count), 0);
    for (uint32_t& offset : offsets) {
        int32_t stored = 0;
        ar.ReadInt(stored);
        offset = static_cast<uint32_t>(stored);
    }
    return ReadBlock(ar, ownBlock);
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
