#pragma once
#include "CDC.h"
#include <string>
#include <vector>

// A device context that draws nothing and keeps every primitive with the pen, brush, font
// and colours it was drawn in, so tests can check geometry exactly. Text is measured as
// lfWidth (or half the height when the width is 0) per character and |lfHeight| high.
class CRecordingDC : public CDC {
public:
    enum EKind { kLine, kPolyline, kRectangle, kFillSolidRect, kEllipse, kArc, kPolygon, kText,
                 kImage, kPixel };

    struct SOp {
        EKind kind = kLine;
        std::vector<CPoint> points; // line: 2 points; arc: start, end; image/pixel/text: 1
        CRect rect;                 // rectangle, fill, ellipse and arc box, image source
        SPen pen;
        SBrush brush;
        LOGFONT font;
        COLORREF textColour = 0;
        COLORREF colour = 0; // fill and pixel colour
        EBkMode bkMode = kOpaque;
        std::string text;
    };

    explicit CRecordingDC(bool printing = false) : m_printing(printing) {}

    bool IsPrinting() const override { return m_printing; }
    void SelectPen(const SPen& pen) override { m_pen = pen; }
    void SelectBrush(const SBrush& brush) override { m_brush = brush; }
    void SelectFont(const LOGFONT& font) override { m_font = font; }
    void SetTextColor(COLORREF colour) override { m_textColour = colour; }
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

    const std::vector<SOp>& Ops() const { return m_ops; }
    void Clear() { m_ops.clear(); }
    // The recorded operations of one kind, in drawing order.
    std::vector<SOp> OpsOf(EKind kind) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    const SPen& CurrentPen() const { return m_pen; }
    const SBrush& CurrentBrush() const { return m_brush; }
    COLORREF BkColour() const { return m_bkColour; }

private:
    SOp Begin(EKind kind) const;

    bool m_printing = false;
    SPen m_pen;
    SBrush m_brush;
    LOGFONT m_font;
    COLORREF m_textColour = 0;
    COLORREF m_bkColour = 0xFFFFFF;
    EBkMode m_bkMode = kOpaque;
    std::vector<SOp> m_ops;
};
