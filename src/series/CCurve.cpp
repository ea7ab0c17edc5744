#include "CCurve.h"
#include "CurvePainter.h"
#include <string>

CCurve::CCurve() {
    typeCode = kTypeCode;
}

CCurve::~CCurve() = default;

void CCurve::Write(CArchiveWriter& ar) const {
    CSymbol::Write(ar);
    ar.WriteInt(static_cast<int32_t>(colour));
    ar.WriteInt(lineStyle);
    ar.WriteInt(static_cast<int32_t>(extraColour1));
    ar.WriteInt(static_cast<int32_t>(extraColour2));
    ar.WriteInt(secondLineSetting);
    ar.WriteInt(lineWidth);
    ar.WriteInt(drawKind);
    ar.WriteString(name);
    ar.WriteString(parameter);
    ar.WriteInt(static_cast<int32_t>(values.size()));
    for (float value : values) ar.WriteFloat(value);
    ar.WriteBytes(block.data(), block.size());
}

namespace {
bool InRange(CArchiveReader& ar, int value, int high, const char* what) {
    if (value >= 0 && value <= high) return true;
    ar.Fail(std::string("a curve ") + what + " of " + std::to_string(value) + " (allowed 0 to " +
            std::to_string(high) + ") before offset " + std::to_string(ar.Position()));
    return false;
}

uint32_t ReadColour(CArchiveReader& ar) {
    int32_t stored = 0;
    ar.ReadInt(stored);
    return static_cast<uint32_t>(stored);
}
} // namespace

bool CCurve::Read(CArchiveReader& ar) {
    if (!CSymbol::Read(ar)) return false;
    colour = ReadColour(ar);
    ar.ReadInt(lineStyle);
    extraColour1 = ReadColour(ar);
    extraColour2 = ReadColour(ar);
    ar.ReadInt(secondLineSetting);
    if (!ar.ReadInt(lineWidth) || !InRange(ar, lineWidth, kMaxLineWidth, "line width"))
        return false;
    if (!ar.ReadInt(drawKind) || !InRange(ar, drawKind, kMaxDrawKind, "style")) return false;
    ar.ReadString(name);
    ar.ReadString(parameter);
    int32_t count = 0;
    if (!ar.ReadCount(count, sizeof(float))) return false;
    values.assign(static_cast<std::size_t>(count), 0.0f);
    for (float& value : values) ar.ReadFloat(value);
    return ar.ReadBytes(block.data(), block.size());
}

void CCurve::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    CSymbol::Draw(dc, max, min, first, end, plot);
    CurvePainter(*this).Paint(dc);
}

int CCurve::HitTest(int x, int y) {
    if (tracking) return hitState;
    hitState = CurvePainter(*this).Hits(x, y, hitTolerance) ? kHitCurve : 0;
    return hitState;
}
