#pragma once
#include "ctlkit/dc/CDC.h"
#include "element/SPoint.h"
#include <initializer_list>

// Pixel geometry shared by the drawing tools: pens, handles and the hit tests of segments,
// rectangles and ellipses.
namespace ToolGeometry {
// The pen of a tool's line style (PenStyles::ToolPenStyle).
SPen PenOf(int lineStyle, int lineWidth, COLORREF colour);
// A dotted black pen of width 1, for the diagonal of a selected study.
SPen DiagonalPen();

// A 6 x 6 white square with a black outline around each point.
void DrawHandles(CDC& dc, std::initializer_list<SPoint> points);
// The segment a-b in the current pen.
void DrawSegment(CDC& dc, SPoint a, SPoint b);

// True when (x, y) lies within `tolerance` (exclusive) of `point` on both axes.
bool NearPoint(SPoint point, int x, int y, int tolerance);
// True when (x, y) lies on the segment a-b within `tolerance` pixels (inclusive), measured
// across the segment's main direction: horizontally for segments steeper than 45 degrees,
// vertically otherwise. A zero-length segment is hit only at its own pixel.
bool OnSegment(SPoint a, SPoint b, int x, int y, int tolerance);
// The rectangle with corners a and b, whatever their order.
CRect BoxOf(SPoint a, SPoint b);
// True when (x, y) lies on the outline of `box` (corners included) within `tolerance`.
bool OnRectOutline(const CRect& box, int x, int y, int tolerance);
// True when (x, y) lies on the outline of the ellipse inscribed in `box` within `tolerance`.
bool OnEllipse(const CRect& box, int x, int y, int tolerance);
// `value` held to [low, high] for drawing; a value that is not a number draws as `low`.
float Held(float value, float low, float high);
} // namespace ToolGeometry
