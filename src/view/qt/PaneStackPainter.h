#pragma once
#include "ctlkit/dc/CDC.h"
#include <QImage>
#include <span>

class CPaneStack;
class QPainter;

// Paints the panes of one chart window as arranged last: each visible pane into a bitmap of
// its own (so a pane never draws over its neighbour), which is then copied to its place. The
// one routine of the chart window, printing and PNG export.
namespace PaneStackPainter {
// `pixelRatio` is the device pixel ratio of what `painter` paints on: the pane bitmaps get as
// many pixels, so the chart stays sharp on a high-density screen. With `printing` the panes
// are drawn straight into `painter` instead (PaintStraight at the arranged rectangles).
void Paint(CPaneStack& stack, QPainter& painter, qreal pixelRatio = 1.0, bool printing = false);
// Printing: every visible pane is sized to its place in `places` (one per pane, in the
// painter's coordinates) and drawn straight into `painter`, into a printing device context
// and clipped to that place. Hidden panes and empty places are skipped; the views keep the
// size they were given. Returns how many panes were painted.
int PaintStraight(CPaneStack& stack, QPainter& painter, std::span<const CRect> places,
                  bool blackOnWhite = false);
// The window of width x height on white, arranged and painted.
QImage Render(CPaneStack& stack, int width, int height);
} // namespace PaneStackPainter
