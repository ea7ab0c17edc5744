#include "CLine.h"
#include "SnapField.h"
#include "ToolGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

constexpr unsigned kNameId = 59;

CLine::CLine() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CLine::CLine(int code, unsigned nameId) : CLine() {
    typeCode = code;
    SetTranslatedName(nameId);
}

CLine::CLine(int code, const char* fixedName) : CLine() {
    typeCode = code;
    name = fixedName;
}

void CLine::StoredFields(CRecordFields& fields) {
    CSymbol::StoredFields(fields);
    fields.Int(extendLeft);
    fields.Int(extendRight);
    fields.Int(snapToPrice);
    fields.Int(color);
    fields.Int(lineStyle, 0, kMaxLineStyle, "line style");
    fields.Int(lineWidth, 0, kMaxLineWidth, "line width");
    fields.String(snapField);
    if (fields.Reading() && fields.Ok()) snapField = SnapField::FromStored(snapField);
    fields.Block(block3);
}

int CLine::IndexToX(float index) const {
    return ToPixel((index - firstIndex) / indexCount * static_cast<float>(plotWidth) +
                   static_cast<float>(plotLeft));
}

int CLine::HitTest(int x, int y) {
    if (tracking) return hitState;
    if (selected)
        if (const int handle = HandleAt(x, y)) return hitState = handle;
    if (OnBody(x, y)) return BodyHit(x, y);
    if (hitState < 3) hitState = 0;
    return 0;
}

int CLine::HandleAt(int x, int y) const {
    return HandleAmong({PointOf(x1, y1), PointOf(x2, y2)}, x, y);
}

bool CLine::OnBody(int x, int y) const {
    return OnExtendedSegment(PointOf(x1, y1), PointOf(x2, y2), x, y);
}

int CLine::HandleAmong(std::initializer_list<SPoint> handles, int x, int y) const {
    int code = 3;
    for (const SPoint& handle : handles) {
        if (ToolGeometry::NearPoint(handle, x, y, 2 * hitTolerance)) return code;
        ++code;
    }
    return 0;
}

CRect CLine::AnchorBox() const {
    return ToolGeometry::BoxOf(PointOf(x1, y1), PointOf(x2, y2));
}

int CLine::BoxHandleAt(int x, int y) const {
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    return HandleAmong({p1, p2, SPoint{p1.x, p2.y}, SPoint{p2.x, p1.y}}, x, y);
}

void CLine::DrawBoxHandles(CDC& dc) const {
    const SPoint p1 = PointOf(x1, y1);
    const SPoint p2 = PointOf(x2, y2);
    ToolGeometry::DrawHandles(dc, {p1, p2, SPoint{p1.x, p2.y}, SPoint{p2.x, p1.y}});
}

int CLine::BodyHit(int x, int y) {
    if (!selected) return hitState = 1;
    grabPoint = {x, y};
    return hitState = 2;
}

bool CLine::OnSegment(SPoint a, SPoint b, int x, int y) const {
    return ToolGeometry::OnSegment(a, b, x, y, hitTolerance);
}

bool CLine::OnExtendedSegment(SPoint a, SPoint b, int x, int y) const {
    ExtendedSegment(a, b);
    return OnSegment(a, b, x, y);
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
