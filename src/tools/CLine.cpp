#include "CLine.h"
#include "SnapField.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr unsigned kNameId = 59;
}

CLine::CLine() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CLine::~CLine() = default;

void CLine::Write(CArchiveWriter& ar) const {
    CSymbol::Write(ar);
    ar.WriteInt(extendLeft);
    ar.WriteInt(extendRight);
    ar.WriteInt(snapToPrice);
    ar.WriteInt(static_cast<int32_t>(color));
    ar.WriteInt(lineStyle);
    ar.WriteInt(lineWidth);
    ar.WriteString(snapField);
    WriteBlock(ar, block3);
}

bool CLine::Read(CArchiveReader& ar) {
    if (!CSymbol::Read(ar)) return false;
    int32_t colour = 0;
    ar.ReadInt(extendLeft);
    ar.ReadInt(extendRight);
    ar.ReadInt(snapToPrice);
    ar.ReadInt(colour);
    color = static_cast<uint32_t>(colour);
    if (!ar.ReadInt(lineStyle) || !CheckRange(ar, lineStyle, 0, kMaxLineStyle, "line style"))
        return false;
    if (!ar.ReadInt(lineWidth) || !CheckRange(ar, lineWidth, 0, kMaxLineWidth, "line width"))
        return false;
    std::string stored;
    if (!ar.ReadString(stored)) return false;
    snapField = SnapField::FromStored(stored);
    return ReadBlock(ar, block3);
}

void CLine::WriteBlock(CArchiveWriter& ar, const std::array<uint8_t, 256>& block) {
    ar.WriteBytes(block.data(), block.size());
}

bool CLine::ReadBlock(CArchiveReader& ar, std::array<uint8_t, 256>& block) {
    return ar.ReadBytes(block.data(), block.size());
}

bool CLine::CheckRange(CArchiveReader& ar, int value, int low, int high, const char* what) {
    if (value >= low && value <= high) return true;
    ar.Fail(std::string("a ") + what + " of " + std::to_string(value) + " (allowed " +
            std::to_string(low) + " to " + std::to_string(high) + ") before offset " +
            std::to_string(ar.Position()));
    return false;
}

int CLine::IndexToX(float index) const {
    return ToPixel((index - firstIndex) / indexCount * static_cast<float>(plotWidth) +
                   static_cast<float>(plotLeft));
}

int CLine::HitTest(int x, int y) {
    SPoint p1 = PointOf(x1, y1);
    SPoint p2 = PointOf(x2, y2);
    if (tracking) return hitState;
    if (selected) {
        const int handleTolerance = 2 * hitTolerance;
        if (ToolGeometry::NearPoint(p1, x, y, handleTolerance)) return hitState = 3;
        if (ToolGeometry::NearPoint(p2, x, y, handleTolerance)) return hitState = 4;
    }
    ExtendedSegment(p1, p2);
    if (OnSegment(p1, p2, x, y)) return BodyHit(x, y);
    return Miss();
}

int CLine::CornerHandleHit(SPoint p1, SPoint p2, int x, int y) {
    if (!selected) return 0;
    const int t = 2 * hitTolerance;
    const SPoint corners[] = {p1, p2, SPoint{p1.x, p2.y}, SPoint{p2.x, p1.y}};
    for (int k = 0; k < 4; ++k)
        if (ToolGeometry::NearPoint(corners[k], x, y, t)) return hitState = 3 + k;
    return 0;
}

int CLine::BodyHit(int x, int y) {
    if (!selected) return hitState = 1;
    grabPoint = {x, y};
    return hitState = 2;
}

int CLine::Miss() {
    if (hitState != 3 && hitState != 4) hitState = 0;
    return 0;
}

bool CLine::OnSegment(SPoint p1, SPoint p2, int x, int y) const {
    return ToolGeometry::OnSegment(p1, p2, x, y, hitTolerance);
}

void CLine::BeginDraw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    CSymbol::Draw(dc, max, min, first, end, plot);
    dc.SelectPen(ToolGeometry::PenOf(lineStyle, lineWidth, color));
}

void CLine::DrawLine(CDC& dc, SPoint a, SPoint b) const {
    ExtendedSegment(a, b);
    ToolGeometry::DrawSegment(dc, a, b);
}

void CLine::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    BeginDraw(dc, max, min, first, end, plot);
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    DrawLine(dc, p1, p2);
    if (selected) ToolGeometry::DrawHandles(dc, {p1, p2});
}

SPoint CLine::ExtendTo(SPoint from, SPoint end, int edgeX) const {
    const float slope = static_cast<float>(end.y - from.y) / static_cast<float>(end.x - from.x);
    const float yAtEdge = static_cast<float>(end.y) + static_cast<float>(edgeX - end.x) * slope;
    if (slope != 0 &&
        (yAtEdge < static_cast<float>(plotTop) || yAtEdge > static_cast<float>(plotBottom))) {
        const int edgeY = yAtEdge < static_cast<float>(plotTop) ? plotTop : plotBottom;
        const float xAtEdge = static_cast<float>(end.x) + static_cast<float>(edgeY - end.y) / slope;
        return SPoint{ToPixel(xAtEdge), edgeY};
    }
    return SPoint{edgeX, ToPixel(yAtEdge)};
}

void CLine::ExtendedSegment(SPoint& p1, SPoint& p2) const {
    if (!extendLeft && !extendRight) return;
    if (p1.x == p2.x) {
        // A vertical segment goes up to the plot top.
        (p1.y <= p2.y ? p1 : p2).y = plotTop;
        return;
    }
    SPoint& left = p1.x < p2.x ? p1 : p2;
    SPoint& right = p1.x < p2.x ? p2 : p1;
    const SPoint oldLeft = left;
    const SPoint oldRight = right;
    if (extendLeft) left = ExtendTo(oldRight, oldLeft, plotLeft);
    if (extendRight) right = ExtendTo(oldLeft, oldRight, plotRight);
}

void CLine::MoveBy(int x, int y) {
    const float dx = XToIndex(x) - XToIndex(grabPoint.x);
    const float dy = YToValue(y) - YToValue(grabPoint.y);
    x1 += dx;
    x2 += dx;
    y1 += dy;
    y2 += dy;
    SnapIfAsked();
    grabPoint = {x, y};
}

void CLine::SetPoint1(float x, float y) {
    x1 = x;
    y1 = y;
    SnapIfAsked();
}

void CLine::SetPoint2(float x, float y) {
    x2 = x;
    y2 = y;
    SnapIfAsked();
}

void CLine::SetX1Y2(float x, float y) {
    x1 = x;
    y2 = y;
    SnapIfAsked();
}

void CLine::SetX2Y1(float x, float y) {
    x2 = x;
    y1 = y;
    SnapIfAsked();
}

void CLine::SetAnchor(float x, float y, int period) {
    CSymbol::SetAnchor(x, y, period);
    SnapIfAsked();
}

void CLine::SnapIfAsked() {
    if (snapToPrice) SnapToPrice();
}

void CLine::SnapToPrice() {
    if (const std::vector<SQuote>* bars = owner ? owner->PriceBars() : nullptr) SnapToPrice(*bars);
}

namespace {
float PriceOf(const SQuote& bar, int field) {
    switch (field) {
    case 0:
        return bar.open;
    case 1:
        return bar.high;
    case 2:
        return bar.low;
    default:
        return bar.close;
    }
}
} // namespace

void CLine::SnapToPrice(const std::vector<SQuote>& bars) {
    if (bars.empty()) return;
    const float last = static_cast<float>(bars.size() - 1);
    // Written as a negated test so that a NaN anchor goes to bar 0 too.
    x1 = !(x1 > 0) ? 0 : std::min(x1, last);
    x2 = !(x2 > 0) ? 0 : std::min(x2, last);
    const int field = SnapField::PriceIndex(snapField);
    if (field < 0) return;
    y1 = PriceOf(bars[static_cast<size_t>(x1)], field);
    y2 = PriceOf(bars[static_cast<size_t>(x2)], field);
}

std::vector<float> CLine::SourceValues() const {
    std::vector<float> values;
    if (!owner) return values;
    const int field = SnapField::PriceIndex(snapField);
    if (field < 0) {
        if (const std::vector<float>* curve = owner->CurveValues(snapField)) values = *curve;
        return values;
    }
    const std::vector<SQuote>* bars = owner->PriceBars();
    if (!bars) return values;
    values.reserve(bars->size());
    for (const SQuote& bar : *bars) values.push_back(PriceOf(bar, field));
    return values;
}
