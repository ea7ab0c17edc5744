#include "CGannFan.h"
#include "ToolGeometry.h"

namespace {
constexpr unsigned kNameId = 69;
}

CGannFan::CGannFan() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CGannFan::~CGannFan() = default;

void CGannFan::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    for (const SPoint& point : endPoints) {
        ar.WriteInt(point.x);
        ar.WriteInt(point.y);
    }
    WriteBlock(ar, ownBlock);
}

bool CGannFan::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    for (SPoint& point : endPoints) {
        ar.ReadInt(point.x);
        ar.ReadInt(point.y);
    }
    return ReadBlock(ar, ownBlock);
}

void CGannFan::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint o = PointOf(x1, y1);
    const SPoint e = PointOf(x2, y2);
    const float dx = static_cast<float>(e.x - o.x);
    const float dy = static_cast<float>(e.y - o.y);
    constexpr std::array<float, 4> kSteps = {0.125f, 0.25f, 0.375f, 0.5f};
    for (size_t i = 0; i < kSteps.size(); ++i)
        endPoints[i] = SPoint{static_cast<int>(static_cast<float>(o.x) + dx * kSteps[i]), e.y};
    endPoints[4] = e;
    for (size_t i = 0; i < kSteps.size(); ++i)
        endPoints[5 + i] = SPoint{
            e.x, static_cast<int>(static_cast<float>(o.y) + dy * kSteps[kSteps.size() - 1 - i])};
    for (const SPoint& end : endPoints) DrawLine(dc, o, end);
    DrawLine(dc, o, e);
    if (selected) ToolGeometry::DrawHandles(dc, {o, e});
}
