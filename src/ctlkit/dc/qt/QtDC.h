#pragma once
#include "ctlkit/dc/CDC.h"
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <optional>

class QPainter;

// The device context over a QPainter: a QImage for off-screen drawing and PNG output, or a
// printer. Drawing is not antialiased, so pixels land where the coordinates say. Pens,
// brushes and fonts are handed to the painter only when they change.
class QtDC : public CDC {
public:
    explicit QtDC(QPainter& painter, bool printing = false);

    bool IsPrinting() const override { return m_printing; }
    // Black on white: lines and text other than white turn black; fills and images turn to
    // the grey of their brightness, so white stays white and a coloured fill stays a fill.
    // Set before the first drawing call.
    void SetBlackOnWhite(bool on);
    void SelectPen(const SPen& pen) override;
    void SelectBrush(const SBrush& brush) override;
    void SelectFont(const LOGFONT& font) override;
    void SetTextColor(COLORREF colour) override;
    void SetBkMode(EBkMode mode) override { m_bkMode = mode; }
    void SetBkColor(COLORREF colour) override { m_bkColour = colour; }

    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(std::span<const CPoint> points) override;
    void Rectangle(const CRect& rect) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void Ellipse(const CRect& box) override;
    void Arc(const CRect& box, CPoint start, CPoint end) override;
    void Polygon(std::span<const CPoint> points) override;
    void TextOut(int x, int y, std::string_view text) override;
    CSize GetTextExtent(std::string_view text) override;
    void DrawImage(int x, int y, const SImage& image, const CRect& source, bool useTransparent,
                   COLORREF transparent) override;
    void SetPixel(int x, int y, COLORREF colour) override;

private:
    void UsePen();
    void UseBrush();
    void UseNoBrush();
    void UseNoPen();
    const QFontMetrics& Metrics();
    QColor Ink(COLORREF colour) const;
    QColor Shade(COLORREF colour) const;

    QPainter& m_painter;
    bool m_printing = false;
    bool m_blackOnWhite = false;
    SPen m_pen;
    SBrush m_brush;
    QPen m_qpen;
    QBrush m_qbrush;
    LOGFONT m_font;
    QFont m_qfont;
    std::optional<QFontMetrics> m_metrics;
    COLORREF m_textColour = 0;
    COLORREF m_bkColour = 0xFFFFFF;
    EBkMode m_bkMode = kOpaque;
    // What the painter holds now: 0 nothing set yet, 1 our pen/brush, 2 none.
    int m_painterPen = 0;
    int m_painterBrush = 0;
    bool m_fontSet = false;
};
