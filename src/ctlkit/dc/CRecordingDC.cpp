#include "CRecordingDC.h"
#include <cstdint>
#include <cstdlib>

CRecordingDC::SOp CRecordingDC::Begin(EKind kind) const {
    SOp op;
    op.kind = kind;
    op.pen = m_pen;
    op.brush = m_brush;
    op.font = m_font;
    op.textColour = m_textColour;
    op.bkMode = m_bkMode;
    return op;
}

void CRecordingDC::Line(int x1, int y1, int x2, int y2) {
    SOp op = Begin(kLine);
    op.points = {{x1, y1}, {x2, y2}};
    m_ops.push_back(std::move(op));
}

void CRecordingDC::Polyline(std::span<const CPoint> points) {
    SOp op = Begin(kPolyline);
    op.points.assign(points.begin(), points.end());
    m_ops.push_back(std::move(op));
}

void CRecordingDC::Rectangle(const CRect& rect) {
    SOp op = Begin(kRectangle);
    op.rect = rect;
    m_ops.push_back(std::move(op));
}

void CRecordingDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    SOp op = Begin(kFillSolidRect);
    op.rect = rect;
    op.colour = colour;
    m_ops.push_back(std::move(op));
}

void CRecordingDC::Ellipse(const CRect& box) {
    SOp op = Begin(kEllipse);
    op.rect = box;
    m_ops.push_back(std::move(op));
}

void CRecordingDC::Arc(const CRect& box, CPoint start, CPoint end) {
    SOp op = Begin(kArc);
    op.rect = box;
    op.points = {start, end};
    m_ops.push_back(std::move(op));
}

void CRecordingDC::Polygon(std::span<const CPoint> points) {
    SOp op = Begin(kPolygon);
    op.points.assign(points.begin(), points.end());
    m_ops.push_back(std::move(op));
}

void CRecordingDC::TextOut(int x, int y, std::string_view text) {
    SOp op = Begin(kText);
    op.points = {{x, y}};
    op.text = std::string(text);
    m_ops.push_back(std::move(op));
}

CSize CRecordingDC::GetTextExtent(std::string_view text) {
    const int height = FontPixels(m_font.lfHeight);
    const int width = m_font.lfWidth > 0 ? FontPixels(m_font.lfWidth) : height / 2;
    // A long text in a wide font stays within an int.
    const int64_t cx = static_cast<int64_t>(text.size()) * width;
    return {static_cast<int>(std::min<int64_t>(cx, INT32_MAX)), height};
}

void CRecordingDC::DrawImage(int x, int y, const SImage&, const CRect& source, bool useTransparent,
                             COLORREF transparent) {
    SOp op = Begin(kImage);
    op.points = {{x, y}};
    op.rect = source;
    op.colour = useTransparent ? transparent : 0xFFFFFFFFu;
    m_ops.push_back(std::move(op));
}

void CRecordingDC::SetPixel(int x, int y, COLORREF colour) {
    SOp op = Begin(kPixel);
    op.points = {{x, y}};
    op.colour = colour;
    m_ops.push_back(std::move(op));
}

std::vector<CRecordingDC::SOp> CRecordingDC::OpsOf(EKind kind) const {
    std::vector<SOp> out;
    for (const SOp& op : m_ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

std::vector<std::string> CRecordingDC::Texts() const {
    std::vector<std::string> out;
    for (const SOp& op : m_ops)
        if (op.kind == kText) out.push_back(op.text);
    return out;
}
