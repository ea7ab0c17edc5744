#pragma once
#include <QImage>

class CPaneStack;
class QPainter;

// Paints the panes of one chart window as arranged last: each visible pane into a bitmap of
// its own (so a pane never draws over its neighbour), which is then copied to its place. The
// one routine of the chart window, printing and PNG export.
namespace PaneStackPainter {
// `pixelRatio` is the device pixel ratio of what `painter` paints on: the pane bitmaps get as
// many pixels, so the chart stays sharp on a high-density screen.
void Paint(CPaneStack& stack, QPainter& painter, qreal pixelRatio = 1.0, bool printing = false);
// The window of width x height on white, arranged and painted.
QImage Render(CPaneStack& stack, int width, int height);
} // namespace PaneStackPainter
