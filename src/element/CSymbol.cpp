#include "CSymbol.h"
#include "BarRemap.h"
#include "SValueScale.h"
#include "ctlkit/lang/CLanguage.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

CSymbol::CSymbol() {
    SetPeriod(kDefaultPeriod);
}

CSymbol::~CSymbol() = default;

int CSymbol::Period() const {
    int32_t period = 0;
    std::memcpy(&period, block1.data(), sizeof period);
    return period;
}

void CSymbol::SetPeriod(int period) {
    const int32_t stored = period;
    std::memcpy(block1.data(), &stored, sizeof stored);
}

void CSymbol::SetTranslatedName(unsigned id) {
    if (auto text = CLanguage::TranslateString(id)) name = *text;
}

void CSymbol::Write(CArchiveWriter& ar) const {
    CRecordFields fields(ar);
    // Writing only reads the fields it is shown.
    const_cast<CSymbol&>(*this).StoredFields(fields);
}

bool CSymbol::Read(CArchiveReader& ar) {
    CRecordFields fields(ar);
    StoredFields(fields);
    return fields.Ok();
}

void CSymbol::StoredFields(CRecordFields& fields) {
    // A record whose type code is not the class's would be written back under the wrong code
    // and read as another class next time.
    int32_t storedType = typeCode;
    fields.Int(storedType);
    if (storedType != typeCode)
        fields.Fail("an element record of type " + std::to_string(storedType) + " where type " +
                    std::to_string(typeCode) + " was announced");
    for (int* field :
         {&plotBottom, &hitState, &plotHeight, &plotLeft, &moving, &selected, &tracking})
        fields.Int(*field);
    for (float* field : {&endIndex, &yMax, &firstIndex, &yMin, &indexCount, &yRange})
        fields.Float(*field);
    fields.Point(grabPoint);
    for (float* field : {&x1, &y1, &x2, &y2}) fields.Float(*field);
    fields.String(name);
    for (int* field : {&plotRight, &plotTop, &plotWidth, &placed}) fields.Int(*field);
    fields.Block(block1);
    // The indicator mark rides in the first four bytes of the reserved block, so that a
    // loaded chart's reference lines are replaced, not doubled, when its indicators rerun.
    std::array<uint8_t, 256> reserved = block2;
    if (!fields.Reading() && indicatorMark != 0)
        std::memcpy(reserved.data(), &indicatorMark, sizeof indicatorMark);
    fields.Block(reserved);
    if (!fields.Reading() || !fields.Ok()) return;
    block2 = reserved;
    std::memcpy(&indicatorMark, block2.data(), sizeof indicatorMark);
}

void CSymbol::StoreMapping(float max, float min, int first, int end, int left, int top, int right,
                           int bottom) {
    yMax = max;
    yMin = min;
    yRange = max - min;
    firstIndex = static_cast<float>(first);
    endIndex = static_cast<float>(end);
    indexCount = endIndex - firstIndex;
    plotLeft = left;
    plotTop = top;
    plotRight = right;
    plotBottom = bottom;
    plotWidth = right - left;
    plotHeight = bottom - top;
}

int CSymbol::ToPixel(float value) {
    constexpr float kLimit = 1e6f;
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

bool CSymbol::NearSegment(SPoint a, SPoint b, int x, int y, int tolerance) {
    const long long dx = static_cast<long long>(b.x) - a.x;
    const long long dy = static_cast<long long>(b.y) - a.y;
    if (dx == 0 && dy == 0) return std::abs(x - a.x) <= tolerance && std::abs(y - a.y) <= tolerance;
    if (std::llabs(dx) < std::llabs(dy)) {
        if (y < std::min(a.y, b.y) || y > std::max(a.y, b.y)) return false;
        const long long lineX = a.x + (static_cast<long long>(y) - a.y) * dx / dy;
        return std::llabs(x - lineX) <= tolerance;
    }
    if (x < std::min(a.x, b.x) || x > std::max(a.x, b.x)) return false;
    const long long lineY = a.y + (static_cast<long long>(x) - a.x) * dy / dx;
    return std::llabs(y - lineY) <= tolerance;
}

bool CSymbol::InBox(int left, int top, int right, int bottom, int x, int y, int tolerance) {
    return x >= left - tolerance && x < right + tolerance && y >= top - tolerance &&
           y < bottom + tolerance;
}

int CSymbol::ValueToY(float value) const {
    return ToPixel(SValueScale{yMin, yRange, logScale}.Row(value, plotBottom, plotHeight));
}

float CSymbol::YToValue(int y) const {
    return SValueScale{yMin, yRange, logScale}.Value(y, plotBottom, plotHeight);
}

float CSymbol::XToIndex(int x) const {
    return static_cast<float>(x - plotLeft) / static_cast<float>(plotWidth) * indexCount +
           firstIndex;
}

int CSymbol::IndexToX(float index) const {
    return ToPixel((index + 0.5f - firstIndex) / indexCount * static_cast<float>(plotWidth) +
                   static_cast<float>(plotLeft));
}

SPoint CSymbol::PointOf(float x, float y) const {
    return SPoint{IndexToX(x), ValueToY(y)};
}

void CSymbol::Draw(CDC&, float max, float min, int first, int end, const CRect& plot) {
    StoreMapping(max, min, first, end, plot.left, plot.top, plot.right, plot.bottom);
}

int CSymbol::HitTest(int, int) {
    return 0;
}

void CSymbol::MoveBy(int, int) {}
void CSymbol::SetPoint1(float, float) {}
void CSymbol::SetPoint2(float, float) {}
void CSymbol::SetX1Y2(float, float) {}
void CSymbol::SetX2Y1(float, float) {}

void CSymbol::SetAnchor(float x, float y, int period) {
    x1 = x2 = x;
    y1 = y2 = y;
    SetPeriod(period);
}

void CSymbol::Rescale(int newPeriod) {
    if (newPeriod < 1) return;
    const float stored = static_cast<float>(std::max(Period(), 1));
    const float target = static_cast<float>(newPeriod);
    MapBarIndices([stored, target](float x) { return stored * x / target; });
    SetPeriod(newPeriod);
}

void CSymbol::RemapBars(const std::vector<int32_t>& oldDates, const std::vector<int32_t>& newDates,
                        int newPeriod) {
    const BarRemap remap(oldDates, newDates);
    if (!remap.Usable()) return;
    MapBarIndices([&remap](float x) { return remap.Map(x); });
    SetPeriod(newPeriod);
}

void CSymbol::RemapBars(const std::vector<int32_t>& oldDates, const std::vector<int32_t>& baseDates,
                        const std::vector<int32_t>& newDates, int newPeriod) {
    const BarRemap toBase(oldDates, baseDates);
    const BarRemap fromBase(baseDates, newDates);
    if (!toBase.Usable() || !fromBase.Usable()) return;
    MapBarIndices([&](float x) { return BarRemap::Through(toBase, fromBase, x); });
    SetPeriod(newPeriod);
}

void CSymbol::MapBarIndices(const std::function<float(float)>& map) {
    x1 = map(x1);
    x2 = map(x2);
}

void CSymbol::DragHandle(int hitCode, float x, float y) {
    switch (hitCode) {
    case 3:
        SetPoint1(x, y);
        break;
    case 4:
        SetPoint2(x, y);
        break;
    case 5:
        SetX1Y2(x, y);
        break;
    case 6:
        SetX2Y1(x, y);
        break;
    default:
        break;
    }
}
