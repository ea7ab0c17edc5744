#include "QtDC.h"
#include "QtConvert.h"
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Degrees counter-clockwise from the positive x axis, screen y pointing down.
double AngleOf(const CRect& box, CPoint p) {
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    double degrees = std::atan2(-(p.y - cy), p.x - cx) * 180.0 / std::numbers::pi;
    if (degrees < 0) degrees += 360.0;
    return degrees;
}

QPolygon ToQPolygon(std::span<const CPoint> points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    return polygon;
}

} // namespace

using QtConvert::QtPenStyle;
using QtConvert::ToQColor;
using QtConvert::ToQFont;

QtDC::QtDC(QPainter& painter, bool printing) : m_painter(painter), m_printing(printing) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    SelectPen(SPen{});
    SelectBrush(SBrush{});
}

void QtDC::SetBlackOnWhite(bool on) {
    m_blackOnWhite = on;
    m_painterPen = 0;
    m_painterBrush = 0;
    m_qpen.setColor(Ink(m_pen.colour));
    if (!m_brush.hollow) m_qbrush = QBrush(Shade(m_brush.colour));
}

QColor QtDC::Ink(COLORREF colour) const {
    if (!m_blackOnWhite) return ToQColor(colour);
    return (colour & 0xFFFFFF) == 0xFFFFFF ? QColor(Qt::white) : QColor(Qt::black);
}

QColor QtDC::Shade(COLORREF colour) const {
    if (!m_blackOnWhite) return ToQColor(colour);
    const int grey = qGray(RedOf(colour), GreenOf(colour), BlueOf(colour));
    return QColor(grey, grey, grey);
}

void QtDC::SelectPen(const SPen& pen) {
    if (m_painterPen != 0 && pen == m_pen) return;
    m_pen = pen;
    m_qpen = QPen(Ink(pen.colour), std::max(1, pen.width), QtPenStyle(pen.style),
                  pen.width > 1 ? Qt::RoundCap : Qt::SquareCap,
                  pen.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    m_painterPen = 0;
}

void QtDC::SelectBrush(const SBrush& brush) {
    if (m_painterBrush != 0 && brush == m_brush) return;
    m_brush = brush;
    m_qbrush = brush.hollow ? QBrush(Qt::NoBrush) : QBrush(Shade(brush.colour));
    m_painterBrush = 0;
}

void QtDC::SelectFont(const LOGFONT& font) {
    if (m_fontSet && std::memcmp(&font, &m_font, sizeof font) == 0) return;
    m_font = font;
    m_qfont = ToQFont(font);
    m_metrics.reset();
    m_fontSet = false;
}

void QtDC::SetTextColor(COLORREF colour) {
    m_textColour = colour;
}

void QtDC::UsePen() {
    if (m_painterPen == 1) return;
    m_painter.setPen(m_qpen);
    m_painterPen = 1;
}

void QtDC::UseNoPen() {
    if (m_painterPen == 2) return;
    m_painter.setPen(Qt::NoPen);
    m_painterPen = 2;
}

void QtDC::UseBrush() {
    if (m_painterBrush == 1) return;
    m_painter.setBrush(m_qbrush);
    m_painterBrush = 1;
}

void QtDC::UseNoBrush() {
    if (m_painterBrush == 2) return;
    m_painter.setBrush(Qt::NoBrush);
    m_painterBrush = 2;
}

void QtDC::Line(int x1, int y1, int x2, int y2) {
    if (m_pen.style == kPenNull || (x1 == x2 && y1 == y2)) return;
    UsePen();
    // The last pixel of a thin straight line is left out, as the original platform does.
    if (m_pen.width <= 1) {
        if (y1 == y2) x2 += x2 > x1 ? -1 : 1;
        else if (x1 == x2) y2 += y2 > y1 ? -1 : 1;
    }
    m_painter.drawLine(x1, y1, x2, y2);
}

void QtDC::Polyline(std::span<const CPoint> points) {
    if (points.size() < 2 || m_pen.style == kPenNull) return;
    UsePen();
    m_painter.drawPolyline(ToQPolygon(points));
}

void QtDC::Rectangle(const CRect& rect) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    if (!m_brush.hollow) m_painter.fillRect(rect.left, rect.top, w, h, m_qbrush);
    if (m_pen.style == kPenNull) return;
    UsePen();
    UseNoBrush();
    if (m_pen.width <= 1) m_painter.drawRect(rect.left, rect.top, w - 1, h - 1);
    else m_painter.drawRect(rect.left, rect.top, w, h);
}

void QtDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    m_painter.fillRect(rect.left, rect.top, w, h, Shade(colour));
}

void QtDC::Ellipse(const CRect& box) {
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return;
    if (m_pen.style == kPenNull) UseNoPen();
    else UsePen();
    if (m_brush.hollow) UseNoBrush();
    else UseBrush();
    m_painter.drawEllipse(box.left, box.top, w - 1, h - 1);
}

void QtDC::Arc(const CRect& box, CPoint start, CPoint end) {
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (w <= 0 || h <= 0 || m_pen.style == kPenNull) return;
    UsePen();
    const double from = AngleOf(box, start);
    double span = AngleOf(box, end) - from;
    if (span <= 0) span += 360.0;
    m_painter.drawArc(box.left, box.top, w - 1, h - 1, static_cast<int>(std::lround(from * 16)),
                      static_cast<int>(std::lround(span * 16)));
}

void QtDC::Polygon(std::span<const CPoint> points) {
    if (points.size() < 2) return;
    if (m_pen.style == kPenNull) UseNoPen();
    else UsePen();
    if (m_brush.hollow) UseNoBrush();
    else UseBrush();
    m_painter.drawPolygon(ToQPolygon(points));
}

const QFontMetrics& QtDC::Metrics() {
    if (!m_metrics) m_metrics.emplace(m_qfont, m_painter.device());
    return *m_metrics;
}

void QtDC::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    const QString qtext = ToQString(text);
    if (!m_fontSet) {
        m_painter.setFont(m_qfont);
        m_fontSet = true;
    }
    const QFontMetrics& metrics = Metrics();
    if (m_bkMode == kOpaque)
        m_painter.fillRect(x, y, metrics.horizontalAdvance(qtext), metrics.height(),
                           Shade(m_bkColour));
    m_painter.setPen(Ink(m_textColour));
    m_painterPen = 0;
    m_painter.drawText(x, y + metrics.ascent(), qtext);
}

CSize QtDC::GetTextExtent(std::string_view text) {
    const QFontMetrics& metrics = Metrics();
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtDC::DrawImage(int x, int y, const SImage& image, const CRect& source, bool useTransparent,
                     COLORREF transparent) {
    const int left = std::max(0, source.left);
    const int top = std::max(0, source.top);
    const int right = std::min(image.width, source.right);
    const int bottom = std::min(image.height, source.bottom);
    if (right <= left || bottom <= top) return;
    QImage part(right - left, bottom - top, QImage::Format_ARGB32);
    for (int row = top; row < bottom; ++row) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(row - top));
        for (int col = left; col < right; ++col) {
            const COLORREF c = image.At(col, row);
            line[col - left] =
                useTransparent && c == transparent ? qRgba(0, 0, 0, 0) : Shade(c).rgb();
        }
    }
    m_painter.drawImage(x, y, part);
}

void QtDC::SetPixel(int x, int y, COLORREF colour) {
    m_painter.fillRect(x, y, 1, 1, Ink(colour));
}
