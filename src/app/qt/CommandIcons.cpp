#include "app/qt/CommandIcons.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "tools/IconStrip.h"
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <initializer_list>
#include <map>

// Every image is drawn on a 16 x 16 grid and scaled for 32 pixels; one-unit strokes sit on
// half units so that they stay sharp at 16 pixels.
namespace {

using Painter = void (*)(QPainter&);

// One flat palette for all images.
const QColor kInk(0x37, 0x47, 0x4F);
const QColor kInkSoft(0x78, 0x90, 0x9C);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kMist(0xEC, 0xEF, 0xF1);
const QColor kGrey(0xB0, 0xBE, 0xC5);
const QColor kCell(0xCF, 0xD8, 0xDC);
const QColor kBlue(0x1E, 0x88, 0xE5);
const QColor kBlueDark(0x15, 0x65, 0xC0);
const QColor kBlueLight(0xBB, 0xDE, 0xFB);
const QColor kGreen(0x43, 0xA0, 0x47);
const QColor kGreenLight(0xC8, 0xE6, 0xC9);
const QColor kRed(0xE5, 0x39, 0x35);
const QColor kOrange(0xFB, 0x8C, 0x00);
const QColor kAmber(0xFF, 0xB3, 0x00);
const QColor kAmberLight(0xFF, 0xE0, 0x82);
const QColor kFolder(0xF9, 0xA8, 0x25);
const QColor kFolderFront(0xFF, 0xCA, 0x28);
const QColor kPurple(0x8E, 0x24, 0xAA);
const QColor kPurpleLight(0xE1, 0xBE, 0xE7);
const QColor kTeal(0x00, 0x89, 0x7B);
const QColor kTealLight(0xB2, 0xDF, 0xDB);
const QColor kBrown(0x8D, 0x6E, 0x63);

QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
    if (style == Qt::DashLine) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({1.5, 1.2});
    }
    return pen;
}

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor& c, qreal w = 1.5,
          Qt::PenStyle style = Qt::SolidLine) {
    p.setPen(Pen(c, w, style));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Polyline(QPainter& p, std::initializer_list<QPointF> points, const QColor& c, qreal w = 1.5) {
    p.setPen(Pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.begin(), static_cast<int>(points.size()));
}

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill,
             const QColor& edge = QColor(), qreal w = 1) {
    p.setPen(edge.isValid() ? Pen(edge, w) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawPolygon(points.begin(), static_cast<int>(points.size()));
}

void Box(QPainter& p, qreal l, qreal t, qreal r, qreal b, const QColor& fill,
         const QColor& edge = QColor(), qreal radius = 0) {
    p.setPen(edge.isValid() ? QPen(edge, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                            : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    if (radius > 0)
        p.drawRoundedRect(QRectF(l, t, r - l, b - t), radius, radius);
    else
        p.drawRect(QRectF(l, t, r - l, b - t));
}

void Disc(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill,
          const QColor& edge = QColor(), qreal w = 1) {
    p.setPen(edge.isValid() ? Pen(edge, w) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void Arc(QPainter& p, qreal cx, qreal cy, qreal r, qreal fromDeg, qreal spanDeg, const QColor& c,
         qreal w = 1.5) {
    p.setPen(Pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - r, cy - r, 2 * r, 2 * r), qRound(fromDeg * 16), qRound(spanDeg * 16));
}

// A filled arrow head with its tip at (x, y) pointing along the angle (degrees, clockwise from
// the right, screen coordinates).
void Head(QPainter& p, qreal x, qreal y, qreal angleDeg, qreal size, const QColor& c) {
    const qreal a = qDegreesToRadians(angleDeg);
    const qreal back = qDegreesToRadians(150.0);
    auto at = [&](qreal turn) {
        return QPointF(x + size * std::cos(a + turn), y + size * std::sin(a + turn));
    };
    Polygon(p, {QPointF(x, y), at(back), at(-back)}, c);
}

// An arrow from (x1, y1) to the tip (x2, y2).
void Arrow(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor& c, qreal w = 1.5,
           qreal head = 4.5) {
    const qreal angle = qRadiansToDegrees(std::atan2(y2 - y1, x2 - x1));
    const qreal len = std::hypot(x2 - x1, y2 - y1);
    const qreal shorten = (len - head * 0.7) / len;
    Line(p, x1, y1, x1 + (x2 - x1) * shorten, y1 + (y2 - y1) * shorten, c, w);
    Head(p, x2, y2, angle, head, c);
}

void Gear(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c) {
    QPainterPath path;
    const int teeth = 8;
    QPolygonF outline;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const qreal radius = (i % 4 < 2) ? r : r * 0.72;
        outline << QPointF(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    path.addPolygon(outline);
    path.closeSubpath();
    path.addEllipse(QPointF(cx, cy), r * 0.32, r * 0.32);
    path.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

// A small round mark in the lower right corner that says what is done to the image below it.
enum class EBadge { Plus, Check, Cross, Down, Gear, Refresh };
void Badge(QPainter& p, EBadge kind) {
    const qreal cx = 11.5, cy = 11.5;
    if (kind == EBadge::Gear) {
        Disc(p, cx, cy, 4.6, kPaper);
        Gear(p, cx, cy, 4.1, kInkSoft);
        return;
    }
    const QColor fill = kind == EBadge::Cross                             ? kRed
                        : kind == EBadge::Down || kind == EBadge::Refresh ? kBlue
                                                                          : kGreen;
    Disc(p, cx, cy, 4.4, fill, kPaper, 1);
    switch (kind) {
    case EBadge::Plus:
        Line(p, cx - 2, cy, cx + 2, cy, kPaper, 1.4);
        Line(p, cx, cy - 2, cx, cy + 2, kPaper, 1.4);
        break;
    case EBadge::Check:
        Polyline(p, {{cx - 2, cy}, {cx - 0.5, cy + 1.6}, {cx + 2.2, cy - 1.6}}, kPaper, 1.4);
        break;
    case EBadge::Cross:
        Line(p, cx - 1.6, cy - 1.6, cx + 1.6, cy + 1.6, kPaper, 1.4);
        Line(p, cx - 1.6, cy + 1.6, cx + 1.6, cy - 1.6, kPaper, 1.4);
        break;
    case EBadge::Down:
        Line(p, cx, cy - 2.2, cx, cy + 0.5, kPaper, 1.4);
        Polyline(p, {{cx - 1.8, cy + 0.3}, {cx, cy + 2.1}, {cx + 1.8, cy + 0.3}}, kPaper, 1.4);
        break;
    case EBadge::Refresh:
        Arc(p, cx, cy, 2.1, 90, 270, kPaper, 1.3);
        Head(p, cx + 0.2, cy - 2.1, 0, 1.8, kPaper);
        break;
    case EBadge::Gear:
        break;
    }
}

// --- Common pieces.

void Page(QPainter& p, qreal l = 2.5, qreal t = 1.5, qreal r = 13.5, qreal b = 14.5) {
    const qreal fold = 3.5;
    Polygon(p, {{l, t}, {r - fold, t}, {r, t + fold}, {r, b}, {l, b}}, kPaper, kInkSoft);
    Polygon(p, {{r - fold, t}, {r - fold, t + fold}, {r, t + fold}}, kMist, kInkSoft);
}

void TextLines(QPainter& p, qreal l, qreal r, std::initializer_list<qreal> ys, const QColor& c) {
    for (qreal y : ys) Line(p, l, y, r, y, c, 1);
}

void WindowFrame(QPainter& p, qreal l, qreal t, qreal r, qreal b, const QColor& title = kBlue) {
    Box(p, l, t, r, b, kPaper, kInk);
    Box(p, l, t, r, t + 2.5, title, kInk);
}

void Candle(QPainter& p, qreal x, qreal top, qreal bodyTop, qreal bodyBottom, qreal bottom,
            bool rising, qreal halfWidth = 1.5) {
    const QColor c = rising ? kGreen : kRed;
    Line(p, x, top, x, bottom, c, 1);
    Box(p, x - halfWidth, bodyTop, x + halfWidth, bodyBottom, c);
}

void Candles(QPainter& p) {
    Candle(p, 3.5, 6.5, 8, 12, 13.5, true);
    Candle(p, 8, 3.5, 5, 9, 10.5, false);
    Candle(p, 12.5, 5.5, 7, 10, 12.5, true);
}

void Calendar(QPainter& p, std::initializer_list<int> marked) {
    Box(p, 1.5, 2.5, 14.5, 14.5, kPaper, kInk, 1);
    Box(p, 1.5, 2.5, 14.5, 6, kRed, kInk, 1);
    Line(p, 5, 1, 5, 3.5, kInk, 1.2);
    Line(p, 11, 1, 11, 3.5, kInk, 1.2);
    for (int i = 0; i < 6; ++i) {
        const qreal x = 3 + (i % 3) * 3.5;
        const qreal y = 7.5 + (i / 3) * 3.5;
        bool on = false;
        for (int m : marked) on = on || m == i;
        Box(p, x, y, x + 3, y + 2.5, on ? kBlue : kCell);
    }
}

void Magnifier(QPainter& p) {
    Line(p, 10, 10, 14, 14, kInk, 2.6);
    Disc(p, 6.5, 6.5, 5, kBlueLight, kInk, 1.5);
}

void CloudShape(QPainter& p, const QColor& fill) {
    QPainterPath cloud;
    cloud.addEllipse(QPointF(5, 9.5), 3.3, 3.3);
    cloud.addEllipse(QPointF(9, 7), 4.2, 4.2);
    cloud.addEllipse(QPointF(12.3, 10), 2.8, 2.8);
    QPainterPath base;
    base.addRoundedRect(QRectF(2, 9, 13, 4.8), 2.4, 2.4);
    cloud = cloud.united(base);
    p.setPen(Pen(kBlueDark, 1));
    p.setBrush(fill);
    p.drawPath(cloud);
}

// The sheet of a chart template: a price pane above an indicator pane.
void TemplateSheet(QPainter& p) {
    Box(p, 1.5, 1.5, 13.5, 13.5, kPaper, kInk, 1);
    Line(p, 1.5, 9.5, 13.5, 9.5, kInk, 1);
    Polyline(p, {{3, 7.5}, {5.5, 4.5}, {8, 6.5}, {11.5, 3.5}}, kBlue, 1.3);
    Box(p, 3.5, 11, 5, 12.5, kGrey);
    Box(p, 6.5, 10.5, 8, 12.5, kGrey);
    Box(p, 9.5, 11.5, 11, 12.5, kGrey);
}

void Pane(QPainter& p) {
    Box(p, 0.5, 1.5, 15.5, 14.5, kPaper, kInkSoft, 1);
}

void Handle(QPainter& p, qreal x, qreal y) {
    Box(p, x - 1.5, y - 1.5, x + 1.5, y + 1.5, kPaper, kInk);
}

// --- File and edit.

void New(QPainter& p) {
    Page(p);
}

void Open(QPainter& p) {
    Polygon(p, {{1.5, 2.5}, {6, 2.5}, {7.5, 4}, {13.5, 4}, {13.5, 13.5}, {1.5, 13.5}}, kFolder);
    Polygon(p, {{1.5, 13.5}, {4, 6.5}, {15.5, 6.5}, {13, 13.5}}, kFolderFront);
}

void Save(QPainter& p) {
    Box(p, 1.5, 1.5, 14.5, 14.5, kBlue, kBlueDark, 1.5);
    Box(p, 4, 1.5, 11.5, 6, kBlueLight);
    Box(p, 9, 2.5, 10.5, 5, kBlueDark);
    Box(p, 3.5, 8.5, 12.5, 14.5, kPaper);
    TextLines(p, 5, 11, {10.5, 12.5}, kGrey);
}

void Print(QPainter& p) {
    Box(p, 4.5, 1.5, 11.5, 6, kPaper, kInkSoft);
    Box(p, 1.5, 5.5, 14.5, 11.5, kInkSoft, kInk, 1.5);
    Box(p, 4.5, 9.5, 11.5, 14.5, kPaper, kInkSoft);
    TextLines(p, 6, 10, {11.5, 13}, kGrey);
    Disc(p, 12.5, 7.5, 0.9, kGreen);
}

void Close(QPainter& p) {
    WindowFrame(p, 0.5, 1.5, 13.5, 12.5);
    Badge(p, EBadge::Cross);
}

void Exit(QPainter& p) {
    Box(p, 1.5, 1.5, 9.5, 14.5, kBrown, kInk);
    Polygon(p, {{1.5, 1.5}, {6.5, 3}, {6.5, 15}, {1.5, 14.5}}, QColor(0x6D, 0x4C, 0x41), kInk);
    Arrow(p, 8, 8, 15.5, 8, kGreen, 1.8, 4.5);
}

void SaveTemplate(QPainter& p) {
    TemplateSheet(p);
    Badge(p, EBadge::Down);
}

void ApplyTemplate(QPainter& p) {
    TemplateSheet(p);
    Badge(p, EBadge::Check);
}

void NewTemplate(QPainter& p) {
    TemplateSheet(p);
    Badge(p, EBadge::Plus);
}

// The default template applied: the template sheet with a refresh badge.
void DefaultTemplate(QPainter& p) {
    TemplateSheet(p);
    Badge(p, EBadge::Refresh);
}

void DeleteCurves(QPainter& p) {
    Pane(p);
    QPainterPath wave;
    wave.moveTo(2, 10);
    wave.cubicTo(5, 2, 8, 2, 10, 7);
    p.setPen(Pen(kPurple, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    Badge(p, EBadge::Cross);
}

void DeleteSymbols(QPainter& p) {
    Pane(p);
    Polygon(p, {{2.5, 9.5}, {5.5, 3.5}, {8.5, 9.5}}, kAmberLight, kOrange);
    Disc(p, 9.5, 5.5, 2.2, kBlueLight, kBlue);
    Badge(p, EBadge::Cross);
}

void Cut(QPainter& p) {
    Line(p, 5.5, 10, 11, 1.5, kInkSoft, 1.5);
    Line(p, 10.5, 10, 5, 1.5, kInkSoft, 1.5);
    Disc(p, 4.5, 12, 2.3, QColor(), kRed, 1.5);
    Disc(p, 11.5, 12, 2.3, QColor(), kRed, 1.5);
}

void Copy(QPainter& p) {
    Box(p, 1.5, 1.5, 9.5, 11.5, kPaper, kInkSoft);
    Box(p, 5.5, 4.5, 13.5, 14.5, kPaper, kInk);
    TextLines(p, 7.5, 11.5, {7.5, 9.5, 11.5}, kBlue);
}

void Paste(QPainter& p) {
    Box(p, 2.5, 2.5, 13.5, 14.5, kBrown, QColor(0x5D, 0x40, 0x37), 1);
    Box(p, 4.5, 5, 11.5, 13, kPaper);
    TextLines(p, 6, 10, {7.5, 9.5, 11.5}, kGrey);
    Box(p, 5.5, 1, 10.5, 4, kInkSoft, QColor(), 1);
}

void Delete(QPainter& p) {
    Line(p, 3.5, 3.5, 12.5, 12.5, kRed, 2.4);
    Line(p, 3.5, 12.5, 12.5, 3.5, kRed, 2.4);
}

// --- View: lists, chart control, periods and zoom.

void StockList(QPainter& p) {
    for (qreal y : std::initializer_list<qreal>{3.5, 8, 12.5}) {
        Box(p, 1.5, y - 1.5, 4.5, y + 1.5, kBlue);
        Line(p, 6.5, y, 14.5, y, kInk, 1.5);
    }
}

void DataFileList(QPainter& p) {
    Page(p);
    for (qreal y : std::initializer_list<qreal>{7.5, 10, 12.5}) {
        Box(p, 4.5, y - 0.75, 6, y + 0.75, kGreen);
        Line(p, 7.5, y, 11.5, y, kInkSoft, 1);
    }
}

void Star(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill, const QColor& edge) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal radius = i % 2 ? r * 0.45 : r;
        star << QPointF(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    p.setPen(Pen(edge, 1));
    p.setBrush(fill);
    p.drawPolygon(star);
}

void Favorites(QPainter& p) {
    Star(p, 8, 8.5, 7, kAmber, kOrange);
}

void OrganizeFavorites(QPainter& p) {
    Star(p, 6.5, 7, 5.8, kAmber, kOrange);
    Badge(p, EBadge::Gear);
}

void MoveForward(QPainter& p) {
    Arrow(p, 2, 8, 14.5, 8, kBlue, 2, 6);
}
void MoveBackward(QPainter& p) {
    Arrow(p, 14, 8, 1.5, 8, kBlue, 2, 6);
}
void QuickForward(QPainter& p) {
    Polygon(p, {{1.5, 3}, {8, 8}, {1.5, 13}}, kBlue);
    Polygon(p, {{8, 3}, {14.5, 8}, {8, 13}}, kBlue);
}
void QuickBackward(QPainter& p) {
    Polygon(p, {{14.5, 3}, {8, 8}, {14.5, 13}}, kBlue);
    Polygon(p, {{8, 3}, {1.5, 8}, {8, 13}}, kBlue);
}
void MoveToBegin(QPainter& p) {
    Box(p, 2, 3, 4.5, 13, kBlueDark);
    Polygon(p, {{14, 3}, {5.5, 8}, {14, 13}}, kBlue);
}
void MoveToEnd(QPainter& p) {
    Box(p, 11.5, 3, 14, 13, kBlueDark);
    Polygon(p, {{2, 3}, {10.5, 8}, {2, 13}}, kBlue);
}

void BroadenCandle(QPainter& p) {
    Candle(p, 8, 1.5, 4, 12, 14.5, true, 2.5);
    Polygon(p, {{0.5, 8}, {3.5, 5}, {3.5, 11}}, kInk);
    Polygon(p, {{15.5, 8}, {12.5, 5}, {12.5, 11}}, kInk);
}

void NarrowCandle(QPainter& p) {
    Candle(p, 8, 1.5, 4, 12, 14.5, true, 1.5);
    Polygon(p, {{5, 8}, {1.5, 5}, {1.5, 11}}, kInk);
    Polygon(p, {{11, 8}, {14.5, 5}, {14.5, 11}}, kInk);
}

void Daily(QPainter& p) {
    Calendar(p, {4});
}
void Weekly(QPainter& p) {
    Calendar(p, {3, 4, 5});
}
void Monthly(QPainter& p) {
    Calendar(p, {0, 1, 2, 3, 4, 5});
}
void UserPeriod(QPainter& p) {
    Calendar(p, {0, 1, 3});
    Badge(p, EBadge::Gear);
}

void ZoomIn(QPainter& p) {
    Magnifier(p);
    Line(p, 4, 6.5, 9, 6.5, kBlueDark, 1.6);
    Line(p, 6.5, 4, 6.5, 9, kBlueDark, 1.6);
}
void ZoomOut(QPainter& p) {
    Magnifier(p);
    Line(p, 4, 6.5, 9, 6.5, kBlueDark, 1.6);
}
void ZoomReset(QPainter& p) {
    Magnifier(p);
    Box(p, 4.5, 4.5, 8.5, 8.5, QColor(), kBlueDark);
}

void ExpandY(QPainter& p) {
    Line(p, 2.5, 1.5, 13.5, 1.5, kInkSoft, 1);
    Line(p, 2.5, 14.5, 13.5, 14.5, kInkSoft, 1);
    Arrow(p, 8, 8, 8, 3, kBlue, 1.8, 4.5);
    Arrow(p, 8, 8, 8, 13, kBlue, 1.8, 4.5);
}
void ShrinkY(QPainter& p) {
    Line(p, 2.5, 8.5, 13.5, 8.5, kInkSoft, 1);
    Arrow(p, 8, 0.5, 8, 6.5, kBlue, 1.8, 4.5);
    Arrow(p, 8, 15.5, 8, 10.5, kBlue, 1.8, 4.5);
}

void YScale(QPainter& p) {
    Line(p, 4.5, 1.5, 4.5, 14.5, kInk, 1);
    for (qreal y : std::initializer_list<qreal>{2.5, 6.5, 10.5}) {
        Line(p, 1.5, y, 4.5, y, kInk, 1);
        Line(p, 6.5, y, 9.5, y, kInkSoft, 1);
    }
    Badge(p, EBadge::Gear);
}

void Refresh(QPainter& p) {
    Arc(p, 8, 8, 5.5, 110, 290, kGreen, 2.2);
    Head(p, 5.8, 2.8, 200, 4.5, kGreen);
}

// --- Insert: indicators and trade flags.

void AverageOverlay(QPainter& p) {
    Candles(p);
    QPainterPath curve;
    curve.moveTo(1, 12);
    curve.cubicTo(5, 9, 8, 5, 15, 5.5);
    p.setPen(Pen(kBlue, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void Bands(QPainter& p) {
    QPainterPath upper, lower, middle;
    upper.moveTo(1, 8);
    upper.cubicTo(5, 1, 10, 1, 15, 3);
    lower.moveTo(1, 14.5);
    lower.cubicTo(5, 9, 10, 8, 15, 10);
    middle.moveTo(1, 11.25);
    middle.cubicTo(5, 5, 10, 4.5, 15, 6.5);
    QPainterPath band = upper;
    band.connectPath(lower.toReversed());
    band.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlueLight);
    p.drawPath(band);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kBlue, 1.2));
    p.drawPath(upper);
    p.drawPath(lower);
    p.setPen(Pen(kOrange, 1.3));
    p.drawPath(middle);
}

void Sar(QPainter& p) {
    Candles(p);
    Disc(p, 2, 4.5, 1.1, kBlueDark);
    Disc(p, 5, 3, 1.1, kBlueDark);
    Disc(p, 10.5, 13.5, 1.1, kBlueDark);
    Disc(p, 14, 12, 1.1, kBlueDark);
}

void HighLow52(QPainter& p) {
    Line(p, 0.5, 2.5, 15.5, 2.5, kGreen, 1.2, Qt::DashLine);
    Line(p, 0.5, 13.5, 15.5, 13.5, kRed, 1.2, Qt::DashLine);
    Polyline(p, {{1, 9}, {4, 2.5}, {7, 8}, {10, 13.5}, {12.5, 7}, {15, 9}}, kInk, 1.3);
}

void Volume(QPainter& p) {
    const qreal heights[] = {5, 9, 6, 12, 8};
    for (int i = 0; i < 5; ++i) {
        const qreal x = 1 + i * 3;
        Box(p, x, 15 - heights[i], x + 2.2, 15, i % 2 ? kRed : kGreen);
    }
}

void Oscillator(QPainter& p) {
    Pane(p);
    Line(p, 1, 5, 15, 5, kGrey, 1, Qt::DashLine);
    Line(p, 1, 11, 15, 11, kGrey, 1, Qt::DashLine);
    QPainterPath wave;
    wave.moveTo(1.5, 9);
    wave.cubicTo(3.5, 0, 6, 0, 8, 8);
    wave.cubicTo(10, 16, 12.5, 16, 14.5, 6);
    p.setPen(Pen(kPurple, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void Macd(QPainter& p) {
    Line(p, 0.5, 8.5, 15.5, 8.5, kInkSoft, 1);
    const qreal bars[] = {-4, -6, -3, 2, 5, 6.5};
    for (int i = 0; i < 6; ++i) {
        const qreal x = 1 + i * 2.4;
        const qreal top = bars[i] < 0 ? 8.5 : 8.5 - bars[i];
        const qreal bottom = bars[i] < 0 ? 8.5 - bars[i] : 8.5;
        Box(p, x, top, x + 1.8, bottom, bars[i] < 0 ? kRed : kGreen);
    }
    Polyline(p, {{1, 11}, {8, 10}, {15, 3.5}}, kBlue, 1.2);
}

void TradeFlags(QPainter& p) {
    Polyline(p, {{0.5, 11}, {4, 13.5}, {8, 6}, {11, 3}, {15.5, 7}}, kInkSoft, 1.2);
    Polygon(p, {{4, 9.5}, {1.2, 14.5}, {6.8, 14.5}}, kGreen);
    Polygon(p, {{11, 6.5}, {8.2, 1.5}, {13.8, 1.5}}, kRed);
}

// --- Drawing tools.

void TrendLine(QPainter& p) {
    Line(p, 3, 13, 13, 3, kBlue, 1.6);
    Handle(p, 3, 13);
    Handle(p, 13, 3);
}

void TrendArrow(QPainter& p) {
    Arrow(p, 2, 14, 14, 2, kBlue, 1.8, 6);
}

void Horizontal(QPainter& p) {
    Line(p, 0.5, 8.5, 15.5, 8.5, kBlue, 1.6);
    Handle(p, 8, 8.5);
}

void Vertical(QPainter& p) {
    Line(p, 7.5, 0.5, 7.5, 15.5, kBlue, 1.6);
    Handle(p, 7.5, 8);
}

void CycleLines(QPainter& p) {
    for (qreal x : std::initializer_list<qreal>{2, 8, 14}) Line(p, x, 7, x, 15, kBlue, 1.4);
    Arc(p, 5, 7, 3, 0, 180, kBlue, 1.4);
    Arc(p, 11, 7, 3, 0, 180, kBlue, 1.4);
}

void Rectangle(QPainter& p) {
    p.setPen(Pen(kBlue, 1.5));
    p.setBrush(kBlueLight);
    p.drawRect(QRectF(2, 4, 12, 8));
}

void Ellipse(QPainter& p) {
    p.setPen(Pen(kBlue, 1.5));
    p.setBrush(kBlueLight);
    p.drawEllipse(QPointF(8, 8), 6.5, 4.5);
}

void Triangle(QPainter& p) {
    Polygon(p, {{1.5, 13.5}, {7, 2.5}, {14.5, 10}}, kBlueLight, kBlue, 1.5);
}

void SpeedLines(QPainter& p) {
    Line(p, 2, 14, 14, 2, kBlue, 1.4);
    Line(p, 2, 14, 14, 6, kBlue, 1.4);
    Line(p, 2, 14, 14, 10, kBlue, 1.4);
    Disc(p, 2, 14, 1.6, kInk);
}

void Pitchfork(QPainter& p) {
    const QPointF pivot(1.5, 14.5), a(5, 4.5), b(11, 10.5);
    const QPointF mid = (a + b) / 2;
    const QPointF dir = (mid - pivot) / std::hypot(mid.x() - pivot.x(), mid.y() - pivot.y());
    auto towards = [&](QPointF from, qreal len) { return from + dir * len; };
    Line(p, a.x(), a.y(), b.x(), b.y(), kInkSoft, 1);
    p.setPen(Pen(kBlue, 1.4));
    p.drawLine(pivot, towards(mid, 6));
    p.drawLine(a, towards(a, 6));
    p.drawLine(b, towards(b, 6));
    Disc(p, pivot.x(), pivot.y(), 1.4, kInk);
}

// --- Channels and regression.

void Channel(QPainter& p) {
    Polygon(p, {{1.5, 9.5}, {14.5, 2.5}, {14.5, 7.5}, {1.5, 14.5}}, kTealLight);
    Line(p, 1.5, 9.5, 14.5, 2.5, kTeal, 1.5);
    Line(p, 1.5, 14.5, 14.5, 7.5, kTeal, 1.5);
}

void DeviationChannel(QPainter& p) {
    Line(p, 1, 6.5, 15, 1, kTeal, 1.4);
    Line(p, 1, 11, 15, 5.5, kInk, 1.2, Qt::DashLine);
    Line(p, 1, 15.5, 15, 10, kTeal, 1.4);
}

void ErrorChannel(QPainter& p) {
    QPainterPath upper, lower;
    upper.moveTo(1, 5.5);
    upper.quadTo(8, 10.5, 15, 0.5);
    lower.moveTo(1, 15.5);
    lower.quadTo(8, 11, 15, 10.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kTeal, 1.4));
    p.drawPath(upper);
    p.drawPath(lower);
    Line(p, 1, 11, 15, 5.5, kInk, 1.2, Qt::DashLine);
}

void RaffChannel(QPainter& p) {
    Polygon(p, {{2.5, 8}, {13.5, 2.5}, {13.5, 8.5}, {2.5, 14}}, kTealLight);
    Line(p, 2.5, 8, 13.5, 2.5, kTeal, 1.4);
    Line(p, 2.5, 14, 13.5, 8.5, kTeal, 1.4);
    Line(p, 2.5, 8, 2.5, 14, kTeal, 1.2);
    Line(p, 13.5, 2.5, 13.5, 8.5, kTeal, 1.2);
    Line(p, 2.5, 11, 13.5, 5.5, kInk, 1.1, Qt::DashLine);
}

void Regression(QPainter& p) {
    for (QPointF d : {QPointF(2.5, 11), QPointF(5, 13), QPointF(7, 7.5), QPointF(10, 8.5),
                      QPointF(12.5, 3.5), QPointF(13.5, 7)})
        Disc(p, d.x(), d.y(), 1.3, kInkSoft);
    Line(p, 1, 14, 15, 3, kTeal, 1.6);
}

void ProbabilityCone(QPainter& p) {
    Polygon(p, {{2, 8}, {15, 1.5}, {15, 14.5}}, kTealLight);
    Line(p, 2, 8, 15, 1.5, kTeal, 1.4);
    Line(p, 2, 8, 15, 14.5, kTeal, 1.4);
    Line(p, 2, 8, 15, 8, kInk, 1.1, Qt::DashLine);
    Disc(p, 2, 8, 1.5, kInk);
}

void QuadrantLines(QPainter& p) {
    Line(p, 1, 2.5, 15, 2.5, kTeal, 1.4);
    Line(p, 1, 5.5, 15, 5.5, kTeal, 1, Qt::DashLine);
    Line(p, 1, 8.5, 15, 8.5, kInk, 1.2);
    Line(p, 1, 11.5, 15, 11.5, kTeal, 1, Qt::DashLine);
    Line(p, 1, 14.5, 15, 14.5, kTeal, 1.4);
}

void TironeLevels(QPainter& p) {
    Polyline(p, {{1, 12}, {4, 4}, {7, 9}, {10, 3}, {12, 13}, {15, 8}}, kGrey, 1.2);
    Line(p, 1, 2.5, 15, 2.5, kTeal, 1.4);
    Line(p, 1, 8.5, 15, 8.5, kInk, 1.2, Qt::DashLine);
    Line(p, 1, 13.5, 15, 13.5, kTeal, 1.4);
}

// --- Fibonacci and Gann.

void FiboArc(QPainter& p) {
    Line(p, 1, 14.5, 15, 14.5, kInkSoft, 1);
    Arc(p, 8, 14.5, 3, 0, 180, kAmber, 1.4);
    Arc(p, 8, 14.5, 6, 0, 180, kOrange, 1.4);
    Arc(p, 8, 14.5, 9, 15, 150, kRed, 1.4);
    Disc(p, 8, 14.5, 1.4, kInk);
}

void FiboFan(QPainter& p) {
    const QColor colours[] = {kRed, kOrange, kAmber, kGreen};
    const qreal ends[] = {2, 5.5, 8.5, 11.5};
    for (int i = 0; i < 4; ++i) Line(p, 1.5, 14.5, 14.5, ends[i], colours[i], 1.3);
    Disc(p, 1.5, 14.5, 1.5, kInk);
}

void FiboRetracement(QPainter& p) {
    Line(p, 1.5, 13.5, 5.5, 2.5, kInkSoft, 1, Qt::DashLine);
    const QColor colours[] = {kRed, kOrange, kAmber, kGreen, kBlue};
    const qreal levels[] = {2.5, 6.5, 8.5, 10.5, 13.5};
    for (int i = 0; i < 5; ++i)
        Line(p, 1, levels[i], 15, levels[i], colours[i], i == 0 || i == 4 ? 1.4 : 1.1);
}

void FiboTimeZone(QPainter& p) {
    Line(p, 0.5, 14.5, 15.5, 14.5, kInkSoft, 1);
    const QColor colours[] = {kRed, kOrange, kAmber, kGreen, kBlue};
    const qreal xs[] = {1.5, 3.5, 5.5, 8.5, 13.5};
    for (int i = 0; i < 5; ++i) Line(p, xs[i], 1.5, xs[i], 14.5, colours[i], 1.2);
}

void GannLine(QPainter& p) {
    Line(p, 1.5, 14.5, 15, 14.5, kInkSoft, 1);
    Arc(p, 2, 14.5, 5, 0, 45, kInkSoft, 1);
    Line(p, 2, 14.5, 14, 2.5, kPurple, 1.6);
    Disc(p, 2, 14.5, 1.5, kInk);
}

void GannFan(QPainter& p) {
    const QPointF o(1.5, 14.5);
    for (QPointF end : {QPointF(14.5, 1.5), QPointF(14.5, 8), QPointF(14.5, 11.25), QPointF(8, 1.5),
                        QPointF(4.75, 1.5)})
        Line(p, o.x(), o.y(), end.x(), end.y(), kPurple, end == QPointF(14.5, 1.5) ? 1.6 : 1.1);
    Disc(p, o.x(), o.y(), 1.5, kInk);
}

void GannGrid(QPainter& p) {
    p.save();
    p.setClipRect(QRectF(1, 1, 14, 14));
    for (qreal c = -12; c <= 12; c += 6) {
        Line(p, 1 + c, 15, 15 + c, 1, kPurple, 1.1);
        Line(p, 1 + c, 1, 15 + c, 15, kPurpleLight, 1.1);
    }
    p.restore();
    Box(p, 1.5, 1.5, 14.5, 14.5, QColor(), kPurple);
}

void Text(QPainter& p) {
    Polyline(p, {{2.5, 14}, {7.5, 2}, {12.5, 14}}, kInk, 2.2);
    Line(p, 4.7, 10, 10.3, 10, kInk, 1.8);
}

// --- Download, tools, settings, windows and help.

void ReDownload(QPainter& p) {
    CloudShape(p, kBlueLight);
    Badge(p, EBadge::Refresh);
}

void UpdateData(QPainter& p) {
    CloudShape(p, kBlueLight);
    Line(p, 8.5, 6.5, 8.5, 12, kPaper, 4.2);
    Polygon(p, {{8.5, 16}, {4, 11}, {13, 11}}, kPaper);
    Arrow(p, 8.5, 6.5, 8.5, 15, kGreen, 2, 5);
}

void UpdateStockList(QPainter& p) {
    StockList(p);
    Badge(p, EBadge::Down);
}

void DataDownloader(QPainter& p) {
    Polyline(p, {{1.5, 9.5}, {1.5, 14.5}, {14.5, 14.5}, {14.5, 9.5}}, kInk, 1.6);
    Arrow(p, 8, 1, 8, 12, kBlue, 2.2, 6);
}

void GannTable(QPainter& p) {
    Box(p, 1.5, 1.5, 14.5, 14.5, kPaper, kInk);
    const qreal cell = 13.0 / 3;
    for (int i = 0; i < 3; ++i) {
        Box(p, 1.5 + i * cell, 1.5 + i * cell, 1.5 + (i + 1) * cell, 1.5 + (i + 1) * cell,
            i == 1 ? kAmber : kAmberLight);
        Box(p, 1.5 + (2 - i) * cell, 1.5 + i * cell, 1.5 + (3 - i) * cell, 1.5 + (i + 1) * cell,
            i == 1 ? kAmber : kAmberLight);
    }
    for (int i = 1; i < 3; ++i) {
        Line(p, 1.5 + i * cell, 1.5, 1.5 + i * cell, 14.5, kInk, 1);
        Line(p, 1.5, 1.5 + i * cell, 14.5, 1.5 + i * cell, kInk, 1);
    }
    Box(p, 1.5, 1.5, 14.5, 14.5, QColor(), kInk);
}

void SelectedObject(QPainter& p) {
    Line(p, 1.5, 12, 10, 2, kBlue, 1.4);
    Handle(p, 1.5, 12);
    Handle(p, 10, 2);
    Polygon(p, {{7, 5.5}, {7, 15}, {9.3, 12.8}, {11, 16}, {12.5, 15.2}, {10.8, 12.2}, {14, 12}},
            kPaper, kInk, 1);
}

void ChartTitleSetting(QPainter& p) {
    WindowFrame(p, 0.5, 1.5, 13.5, 12.5);
    TextLines(p, 2.5, 8.5, {6}, kInk);
    Badge(p, EBadge::Gear);
}

void AxisSetting(QPainter& p) {
    Polyline(p, {{2.5, 1.5}, {2.5, 12.5}, {14.5, 12.5}}, kInk, 1.4);
    for (qreal v : std::initializer_list<qreal>{4.5, 8.5}) Line(p, 1, v, 2.5, v, kInk, 1);
    for (qreal h : std::initializer_list<qreal>{6.5, 10.5}) Line(p, h, 12.5, h, 14, kInk, 1);
    Polyline(p, {{4, 10}, {6.5, 6}, {9, 7.5}, {11.5, 3.5}}, kBlue, 1.3);
    Badge(p, EBadge::Gear);
}

void ChartWindowSetting(QPainter& p) {
    WindowFrame(p, 0.5, 1.5, 13.5, 12.5);
    Polyline(p, {{2.5, 10.5}, {5, 6.5}, {7, 8.5}, {10.5, 5}}, kBlue, 1.3);
    Badge(p, EBadge::Gear);
}

void PriceCurveSetting(QPainter& p) {
    Candle(p, 3, 2.5, 4, 9, 11, true);
    Candle(p, 7.5, 1, 2.5, 6.5, 8.5, false);
    Badge(p, EBadge::Gear);
}

void Option(QPainter& p) {
    Gear(p, 8, 8, 7, kInkSoft);
}

void Cascade(QPainter& p) {
    WindowFrame(p, 0.5, 0.5, 9.5, 8.5, kBlueLight);
    WindowFrame(p, 3.5, 3.5, 12.5, 11.5, kBlueLight);
    WindowFrame(p, 6.5, 6.5, 15.5, 15.5);
}

void Tile(QPainter& p) {
    WindowFrame(p, 0.5, 1.5, 7.5, 14.5);
    WindowFrame(p, 8.5, 1.5, 15.5, 14.5);
}

void ArrangeIcons(QPainter& p) {
    Box(p, 0.5, 1.5, 15.5, 14.5, kMist, kInkSoft);
    for (qreal x : std::initializer_list<qreal>{1.5, 6.5})
        Box(p, x + 0.5, 11, x + 4.5, 13.5, kBlue, kBlueDark);
    Box(p, 2, 7, 6, 9.5, kBlue, kBlueDark);
}

void QuestionMark(QPainter& p, const QColor& c) {
    Arc(p, 8, 5.8, 2.6, 180, -240, c, 1.8);
    Line(p, 8, 8.8, 8, 9.8, c, 1.8);
    Disc(p, 8, 12.3, 1.1, c);
}

void Content(QPainter& p) {
    Disc(p, 8, 8, 7.2, kBlue);
    QuestionMark(p, kPaper);
}

void Forum(QPainter& p) {
    Polygon(p, {{5, 5}, {15, 5}, {15, 12}, {12.5, 12}, {12.5, 14.5}, {10, 12}, {5, 12}}, kBlueLight,
            kBlue, 1);
    Polygon(p, {{1, 1.5}, {10.5, 1.5}, {10.5, 8}, {4, 8}, {1.5, 10.5}, {1.5, 8}, {1, 8}}, kBlue,
            kBlueDark, 1);
}

void HomePage(QPainter& p) {
    Box(p, 3.5, 7.5, 12.5, 14.5, kPaper, kInk);
    Box(p, 6.5, 10, 9.5, 14.5, kBlue);
    Polygon(p, {{1, 8.5}, {8, 1.5}, {15, 8.5}}, kRed, QColor(0xB7, 0x1C, 0x1C), 1);
}

void About(QPainter& p) {
    Disc(p, 8, 8, 7.2, kBlue);
    Disc(p, 8, 4.6, 1.2, kPaper);
    Line(p, 8, 7.5, 8, 12, kPaper, 2);
}

// Icon commands show an icon of the strip (icon number = code - 51).
int StripIndex(unsigned command) {
    if (command >= 32993 && command <= 33022) return static_cast<int>(command - 32993) + 10;
    switch (command) {
    case 32930:
        return 0;
    case 32966:
        return 1;
    case 32946:
        return 2;
    case 32947:
        return 3;
    case 32948:
        return 4;
    case 32949:
        return 5;
    case 32950:
        return 6;
    case 32951:
        return 7;
    case 32952:
        return 8;
    case 32953:
        return 9;
    case 32871:
        return 24; // "Symbols" picks one of them: a star
    default:
        return -1;
    }
}

const std::map<unsigned, Painter>& Painters() {
    static const std::map<unsigned, Painter> painters = {
        {57600, New},
        {57601, Open},
        {57602, Close},
        {57603, Save},
        {57607, Print},
        {32844, SaveTemplate},
        {57665, Exit},
        {32840, ApplyTemplate},
        {33043, DefaultTemplate},
        {57609, Print},
        {32891, NewTemplate},
        {33032, DeleteCurves},
        {33033, DeleteSymbols},
        {57635, Cut},
        {57634, Copy},
        {57637, Paste},
        {32829, Delete},
        {32887, StockList},
        {32889, DataFileList},
        {32888, Favorites},
        {32799, MoveForward},
        {32800, MoveBackward},
        {32801, QuickForward},
        {32802, QuickBackward},
        {32803, MoveToBegin},
        {32804, MoveToEnd},
        {32835, BroadenCandle},
        {32834, NarrowCandle},
        {32936, Daily},
        {32937, Weekly},
        {32938, Monthly},
        {32942, UserPeriod},
        {32838, ZoomIn},
        {32839, ZoomOut},
        {32981, ExpandY},
        {32983, ShrinkY},
        {32876, ZoomReset},
        {32878, YScale},
        {32877, Refresh},
        {32785, AverageOverlay},
        {32805, AverageOverlay},
        {32806, AverageOverlay},
        {32809, Bands},
        {32812, Bands},
        {32814, Bands},
        {32815, Sar},
        {33034, HighLow52},
        {32788, Volume},
        {32990, Volume},
        {32991, Volume},
        {32821, Volume},
        {32786, Macd},
        {32787, Oscillator},
        {32807, Oscillator},
        {32808, Oscillator},
        {32810, Oscillator},
        {32813, Oscillator},
        {32816, Oscillator},
        {32820, Oscillator},
        {32988, Oscillator},
        {32989, Oscillator},
        {32992, Oscillator},
        {32823, TradeFlags},
        {32824, TradeFlags},
        {32825, TradeFlags},
        {32826, TradeFlags},
        {32827, TradeFlags},
        {32828, TradeFlags},
        {32817, TrendLine},
        {32819, TrendArrow},
        {32864, Horizontal},
        {32870, Vertical},
        {32849, CycleLines},
        {32818, Rectangle},
        {32850, Ellipse},
        {32911, Triangle},
        {32868, SpeedLines},
        {32848, Pitchfork},
        {32860, Channel},
        {32861, DeviationChannel},
        {32862, ErrorChannel},
        {32863, RaffChannel},
        {32865, Regression},
        {32866, ProbabilityCone},
        {32867, QuadrantLines},
        {32869, TironeLevels},
        {32851, FiboArc},
        {32852, FiboFan},
        {32853, FiboRetracement},
        {32854, FiboTimeZone},
        {32856, GannLine},
        {32857, GannFan},
        {32858, GannGrid},
        {32872, Text},
        {32781, ReDownload},
        {32779, UpdateData},
        {32985, UpdateStockList},
        {32987, DataDownloader},
        {32973, GannTable},
        {32904, SelectedObject},
        {33027, ChartTitleSetting},
        {33028, AxisSetting},
        {32962, ChartWindowSetting},
        {33030, OrganizeFavorites},
        {32905, PriceCurveSetting},
        {32907, YScale},
        {32968, Option},
        {57650, Cascade},
        {57651, Tile},
        {57649, ArrangeIcons},
        {32961, Content},
        {33031, Forum},
        {32986, HomePage},
        {57664, About},
    };
    return painters;
}

QPixmap Painted(Painter paint, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    paint(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QImage StripCell(int index) {
    const SImage& strip = IconStrip::Image();
    const int size = IconStrip::kIconSize;
    QImage cell(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const COLORREF pixel = strip.At(index * size + x, y);
            cell.setPixelColor(x, y,
                               pixel == IconStrip::kTransparent ? QColor(Qt::transparent)
                                                                : QtConvert::ToQColor(pixel));
        }
    }
    return cell;
}

QIcon StripIcon(int index) {
    const QImage cell = StripCell(index);
    QIcon icon;
    icon.addPixmap(
        QPixmap::fromImage(cell.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    icon.addPixmap(
        QPixmap::fromImage(cell.scaled(36, 36, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return icon;
}

QIcon MakeIcon(unsigned command) {
    const int strip = StripIndex(command);
    if (strip >= 0) return StripIcon(strip);
    const auto found = Painters().find(command);
    if (found == Painters().end()) return {};
    QIcon icon;
    icon.addPixmap(Painted(found->second, 16));
    icon.addPixmap(Painted(found->second, 32));
    return icon;
}

} // namespace

QIcon CommandIcon(unsigned command) {
    static std::map<unsigned, QIcon> cache;
    const auto found = cache.find(command);
    if (found != cache.end()) return found->second;
    return cache.emplace(command, MakeIcon(command)).first->second;
}
