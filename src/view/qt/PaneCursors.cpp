#include "PaneCursors.h"
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <optional>

namespace PaneCursors {
namespace {

constexpr int kGlyphs = 3;
constexpr int kScales = 2;

// Made on first use and dropped with the application: pixmaps and cursors must not outlive
// the GUI they belong to.
struct SCache {
    std::optional<QPixmap> images[kGlyphs][kScales];
    std::optional<QCursor> cursors[kGlyphs][kScales];
};
SCache* g_cache = nullptr;

SCache& Cache() {
    if (!g_cache) {
        g_cache = new SCache;
        qAddPostRoutine([] {
            delete g_cache;
            g_cache = nullptr;
        });
    }
    return *g_cache;
}

int GlyphIndex(EGlyph glyph) {
    return static_cast<int>(glyph);
}

// The usual pointer, its tip on the hot spot, 12 x 19 logical pixels.
QPainterPath Arrow() {
    const QPointF tip(kHotSpot);
    QPainterPath path(tip);
    const QPointF corners[] = {{0, 16}, {4, 12}, {7, 18.5}, {9.5, 17.5}, {6.5, 11}, {11.5, 11}};
    for (const QPointF& corner : corners) path.lineTo(tip + corner);
    path.closeSubpath();
    return path;
}

// Black on a white outline of one logical pixel around it.
void DrawOutlined(QPainter& painter, const QPainterPath& path) {
    painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(path);
}

// Two candles below right of the arrow: a falling one filled, a rising one hollow. Their
// one-pixel strokes run along pixel centres (the .5s), so that they stay sharp at scale 1.
void DrawCandles(QPainter& painter) {
    const auto candle = [&](qreal x, qreal wickTop, qreal wickBottom, qreal bodyTop,
                            qreal bodyBottom, bool filled) {
        const QRectF body(x - 2, bodyTop, 4, bodyBottom - bodyTop);
        // The white halo first, then the black strokes over it.
        painter.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::white);
        painter.drawLine(QPointF(x, wickTop), QPointF(x, wickBottom));
        painter.drawRect(body);
        painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawLine(QPointF(x, wickTop), QPointF(x, bodyTop));
        painter.drawLine(QPointF(x, bodyBottom), QPointF(x, wickBottom));
        painter.setBrush(filled ? Qt::black : Qt::white);
        painter.drawRect(body);
    };
    candle(17.5, 14, 29, 17.5, 25.5, true);
    candle(25.5, 18, 30, 20.5, 27.5, false);
}

// A wave below right of the arrow, one and a half periods.
void DrawWave(QPainter& painter) {
    QPainterPath wave;
    constexpr qreal left = 13.5, right = 30, middle = 23.5, amplitude = 4.5;
    constexpr int steps = 33;
    for (int i = 0; i <= steps; ++i) {
        const qreal x = left + (right - left) * i / steps;
        const qreal y = middle - amplitude * std::sin(3 * M_PI * i / steps);
        if (i == 0)
            wave.moveTo(x, y);
        else
            wave.lineTo(x, y);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave);
    painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave);
}

// A pencil lying from its point (the hot spot) up to the right: a black point, a white wood
// cone, a black body with a white band before its end.
void DrawPencil(QPainter& painter) {
    painter.save();
    painter.translate(QPointF(kDrawHotSpot) + QPointF(0.5, 0.5));
    painter.rotate(-45);
    QPainterPath outline;
    outline.moveTo(0, 0);
    outline.lineTo(8, -4);
    outline.lineTo(27, -4);
    outline.lineTo(27, 4);
    outline.lineTo(8, 4);
    outline.closeSubpath();
    painter.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(8, -4, 14, 8));
    painter.drawRect(QRectF(24.5, -4, 2.5, 8));
    QPainterPath point;
    point.moveTo(0, 0);
    point.lineTo(3.5, -1.75);
    point.lineTo(3.5, 1.75);
    point.closeSubpath();
    painter.drawPath(point);
    painter.restore();
}

QPixmap Draw(EGlyph glyph, int scale) {
    QPixmap image(kSize * scale, kSize * scale);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (glyph == EGlyph::Draw) {
        DrawPencil(painter);
        painter.end();
        return image;
    }
    if (glyph == EGlyph::PriceSeries)
        DrawCandles(painter);
    else
        DrawWave(painter);
    // The arrow last, so that the glyph never covers its tip.
    DrawOutlined(painter, Arrow());
    painter.end();
    return image;
}

} // namespace

QPoint HotSpotOf(EGlyph glyph) {
    return glyph == EGlyph::Draw ? kDrawHotSpot : kHotSpot;
}

int ScaleFor(qreal devicePixelRatio) {
    return devicePixelRatio >= 1.5 ? 2 : 1;
}

const QPixmap& Image(EGlyph glyph, int scale) {
    scale = scale >= 2 ? 2 : 1;
    std::optional<QPixmap>& image = Cache().images[GlyphIndex(glyph)][scale - 1];
    if (!image) image = Draw(glyph, scale);
    return *image;
}

const QCursor& Cursor(EGlyph glyph, qreal devicePixelRatio) {
    const int scale = ScaleFor(devicePixelRatio);
    std::optional<QCursor>& cursor = Cache().cursors[GlyphIndex(glyph)][scale - 1];
    // The hot spot is given in logical pixels, whatever the image's ratio.
    const QPoint hotSpot = HotSpotOf(glyph);
    if (!cursor) cursor.emplace(Image(glyph, scale), hotSpot.x(), hotSpot.y());
    return *cursor;
}

} // namespace PaneCursors
