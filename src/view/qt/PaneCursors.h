#pragma once
#include <QCursor>
#include <QPixmap>
#include <QPoint>

// The pane's own cursor images: an arrow with a small candle over the price series, an
// arrow with a small wave over a curve, and a pencil while a drawing tool is armed. Drawn in code, black with a white outline so that
// they show on any pane background, at one and at two device pixels per logical pixel.
namespace PaneCursors {

enum class EGlyph { PriceSeries, Curve, Draw };

// Logical size of every image and the arrow's tip, the hot spot, in logical pixels.
constexpr int kSize = 32;
constexpr QPoint kHotSpot{1, 1};
// The pencil's point, bottom left, where the drawing begins.
constexpr QPoint kDrawHotSpot{1, 30};

// The hot spot of `glyph` in logical pixels.
QPoint HotSpotOf(EGlyph glyph);

// The scale an image is drawn at for a screen of `devicePixelRatio`: 2 from 1.5 up, else 1.
int ScaleFor(qreal devicePixelRatio);
// The image at `scale` (1 or 2): kSize x kSize logical pixels, kSize * scale device pixels,
// its device pixel ratio `scale`. Drawn once per glyph and scale.
const QPixmap& Image(EGlyph glyph, int scale);
// The cursor of the image for `devicePixelRatio`, with its hot spot on the arrow's tip or
// the pencil's point.
const QCursor& Cursor(EGlyph glyph, qreal devicePixelRatio);

} // namespace PaneCursors
