#include "ToolGeometry.h"
#include "ctlkit/dc/PenStyles.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ToolGeometry {

float Held(float value, float low, float high) {
    if (std::isnan(value)) return low;
    return std::clamp(value, low, high);
}
namespace {
constexpr int kHandleHalf = 3;
constexpr COLORREF kBlack = 0;
constexpr COLORREF kWhite = 0xFFFFFF;
} // namespace

SPen PenOf(int lineStyle, int lineWidth, COLORREF colour) {
    return SPen{PenStyles::ToolPenStyle(lineStyle), lineWidth, colour};
}

SPen DiagonalPen() {
    return SPen{kPenDot, 1, kBlack};
}

void DrawHandles(CDC& dc, std::initializer_list<SPoint> points) {
    dc.SelectPen(SPen{kPenSolid, 1, kBlack});
    dc.SelectBrush(SBrush{kWhite, false});
    for (const SPoint& p : points)
        dc.Rectangle(
            CRect{p.x - kHandleHalf, p.y - kHandleHalf, p.x + kHandleHalf, p.y + kHandleHalf});
}

void DrawSegment(CDC& dc, SPoint a, SPoint b) {
    dc.Line(a.x, a.y, b.x, b.y);
}

bool NearPoint(SPoint point, int x, int y, int tolerance) {
    return std::abs(x - point.x) < tolerance && std::abs(y - point.y) < tolerance;
}

bool OnSegment(SPoint a, SPoint b, int x, int y, int tolerance) {
    const float dx = static_cast<float>(b.x - a.x);
    const float dy = static_cast<float>(b.y - a.y);
    if (dx == 0 && dy == 0) return x == a.x && y == a.y;
    const float t = static_cast<float>(tolerance);
    if (std::fabs(dx) < std::fabs(dy)) {
        const float lineX = static_cast<float>(a.x) + static_cast<float>(y - a.y) * dx / dy;
        return std::fabs(static_cast<float>(x) - lineX) <= t && y >= std::min(a.y, b.y) &&
               y <= std::max(a.y, b.y);
    }
    const float lineY = static_cast<float>(a.y) + static_cast<float>(x - a.x) * dy / dx;
    return std::fabs(static_cast<float>(y) - lineY) <= t && x >= std::min(a.x, b.x) &&
           x <= std::max(a.x, b.x);
}

CRect BoxOf(SPoint a, SPoint b) {
    return CRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool OnRectOutline(const CRect& box, int x, int y, int tolerance) {
    const SPoint tl{box.left, box.top}, tr{box.right, box.top};
    const SPoint bl{box.left, box.bottom}, br{box.right, box.bottom};
    return OnSegment(tl, tr, x, y, tolerance) || OnSegment(bl, br, x, y, tolerance) ||
           OnSegment(tl, bl, x, y, tolerance) || OnSegment(tr, br, x, y, tolerance);
}

bool OnEllipse(const CRect& box, int x, int y, int tolerance) {
    const float a = static_cast<float>(box.right - box.left) / 2;
    const float b = static_cast<float>(box.bottom - box.top) / 2;
    if (a == 0 || b == 0) // a flat ellipse is a segment
        return OnSegment({box.left, box.top}, {box.right, box.bottom}, x, y, tolerance);
    const float cx = static_cast<float>(box.left) + a;
    const float cy = static_cast<float>(box.top) + b;
    const float px = static_cast<float>(x) - cx;
    const float py = static_cast<float>(y) - cy;
    const float distance = std::sqrt(px * px + py * py);
    if (distance == 0) return std::min(a, b) <= static_cast<float>(tolerance);
    // Where the ray from the centre through the point meets the ellipse.
    const float ux = px / distance;
    const float uy = py / distance;
    const float reach = 1 / std::sqrt(ux * ux / (a * a) + uy * uy / (b * b));
    return std::fabs(distance - reach) <= static_cast<float>(tolerance);
}
} // namespace ToolGeometry
