#include "CFiboRetrace.h"
#include "ToolFont.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

constexpr unsigned kNameId = 67;

CFiboRetrace::CFiboRetrace() : CLine(kTypeCode, kNameId) {
    labelFont = DefaultToolFont();
}

void CFiboRetrace::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(labelColour);
    fields.Font(labelFont);
    fields.List(levels, 8, [](CRecordFields& f, SLevel& level) {
        f.Int(level.shown);
        f.Float(level.ratio, kLowestRatio, kHighestRatio, "Fibonacci level ratio");
    });
    if (fields.Reading() && fields.Ok() && levels.size() > kMaxLevels)
        fields.Fail("a Fibonacci level count of " + std::to_string(levels.size()) +
                    " (allowed 0 to " + std::to_string(kMaxLevels) + ")");
    fields.Block(ownBlock);
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
        const float ratio = ToolGeometry::Held(level.ratio, kLowestRatio, kHighestRatio);
        const int d = static_cast<int>(h * ratio);
        const int row = p1.y < p2.y ? p2.y - d : p2.y + d;
        DrawLine(dc, SPoint{p1.x, row}, SPoint{p2.x, row});
        char label[32];
        std::snprintf(label, sizeof label, "%.1f%%", static_cast<double>(ratio * 100));
        dc.TextOut(labelLeft, row, label);
    }
    if (selected) {
        dc.SelectPen(ToolGeometry::DiagonalPen());
        ToolGeometry::DrawSegment(dc, p1, p2);
        ToolGeometry::DrawHandles(dc, {p1, p2});
    }
}
