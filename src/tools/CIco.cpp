#include "CIco.h"
#include "IconStrip.h"
#include "ToolGeometry.h"
#include <algorithm>

constexpr unsigned kNameId = 72;

CIco::CIco() : CLine(kTypeCode, kNameId) {}

void CIco::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Int(iconNumber, 0, kIconCount - 1, "icon number");
}

void CIco::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const int number = std::clamp(iconNumber, 0, kIconCount - 1);
    const CRect source{number * IconStrip::kIconSize, 0, (number + 1) * IconStrip::kIconSize,
                       IconStrip::kIconSize};
    dc.DrawImage(p1.x, p1.y, IconStrip::Image(), source, true, IconStrip::kTransparent);
    if (selected)
        ToolGeometry::DrawHandles(dc,
                                  {p1, SPoint{p1.x + iconSize, p1.y}, SPoint{p1.x, p1.y + iconSize},
                                   SPoint{p1.x + iconSize, p1.y + iconSize}});
}

int CIco::HandleAt(int x, int y) const {
    return HandleAmong({PointOf(x1, y1)}, x, y);
}

bool CIco::OnBody(int x, int y) const {
    const SPoint p1 = PointOf(x1, y1);
    return x >= p1.x && x < p1.x + iconSize && y >= p1.y && y < p1.y + iconSize;
}
