#include "CFiboRetrace.h"
#include "ToolFont.h"
#include "ToolGeometry.h"
#include "element/FontRecord.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 67;
}

CFiboRetrace::CFiboRetrace() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
    labelFont = DefaultToolFont();
}

CFiboRetrace::~CFiboRetrace() = default;

void CFiboRetrace::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(static_cast<int32_t>(labelColour));
    WriteFontRecord(ar, labelFont);
    ar.WriteInt(static_cast<int32_t>(levels.size()));
    for (const SLevel& level : levels) {
        ar.WriteInt(level.shown);
        ar.WriteFloat(level.ratio);
    }
    WriteBlock(ar, ownBlock);
}

bool CFiboRetrace::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    int32_t colour = 0;
    ar.ReadInt(colour);
    labelColour = static_cast<uint32_t>(colour);
    if (!ReadFontRecord(ar, labelFont)) return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, 8)) return false;
    levels.assign(static_cast<size_t>(count), SLevel{});
    for (SLevel& level : levels) {
        ar.ReadInt(level.shown);
        ar.ReadFloat(level.ratio);
    }
    return ReadBlock(ar, ownBlock);
}

void CFiboRetrace::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    const float h = static_cast<float>(std::abs(p1.y - p2.y));
    const int labelLeft = std::max(p1.x, p2.x);
    dc.SelectFont(labelFont);
    dc.SetTextColor(labelColour);
    dc.SetBkMode(kTransparent);
    for (const SLevel& level : levels) {
        if (!level.shown) continue;
        const int d = static_cast<int>(h * level.ratio);
        const int row = p1.y < p2.y ? p2.y - d : p2.y + d;
        DrawLine(dc, SPoint{p1.x, row}, SPoint{p2.x, row});
        char label[32];
        std::snprintf(label, sizeof label, "%.1f%%", static_cast<double>(level.ratio * 100));
        dc.TextOut(labelLeft, row, label);
    }
    if (selected) {
        dc.SelectPen(ToolGeometry::DiagonalPen());
        ToolGeometry::DrawSegment(dc, p1, p2);
        ToolGeometry::DrawHandles(dc, {p1, p2});
    }
}
