#include "CIco.h"
#include "IconStrip.h"
#include "ToolGeometry.h"
#include <algorithm>

namespace {
constexpr unsigned kNameId = 72;
}

CIco::CIco() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CIco::~CIco() = default;

void CIco::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(iconNumber);
}

bool CIco::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    if (!ar.ReadInt(iconNumber) || !CheckRange(ar, iconNumber, 0, kIconCount - 1, "icon number"))
        return false;
    return ar.Ok();
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

int CIco::HitTest(int x, int y) {
    if (tracking) return hitState;
    const SPoint p1 = PointOf(x1, y1);
    if (selected && ToolGeometry::NearPoint(p1, x, y, 2 * hitTolerance)) return hitState = 3;
    if (x >= p1.x && x < p1.x + iconSize && y >= p1.y && y < p1.y + iconSize) return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}
