#include "CHorizontal.h"
#include "ToolGeometry.h"
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 71;
}

CHorizontal::CHorizontal() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CHorizontal::CHorizontal(float value) : CHorizontal() {
    SetValue(value);
}

void CHorizontal::SetValue(float value) {
    y1 = y2 = value;
}

CHorizontal::~CHorizontal() = default;

void CHorizontal::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CHorizontal::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}

void CHorizontal::SetPoint2(float x, float) {
    CLine::SetPoint2(x, y1);
}

void CHorizontal::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const int row = ValueToY(y1);
    dc.Line(plotLeft, row, plotRight, row);
    if (selected) ToolGeometry::DrawHandles(dc, {PointOf(x1, y1)});
}

int CHorizontal::HitTest(int x, int y) {
    if (tracking) return hitState;
    if (selected && ToolGeometry::NearPoint(PointOf(x1, y1), x, y, 2 * hitTolerance))
        return hitState = 3;
    const int row = ValueToY(y1);
    if (std::abs(y - row) <= hitTolerance && x >= plotLeft && x <= plotRight) return BodyHit(x, y);
    return Miss();
}
