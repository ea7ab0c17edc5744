#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Colours as the stored files hold them: 0x00BBGGRR.
using COLORREF = uint32_t;
constexpr COLORREF MakeRGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

struct CPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

// A rectangle whose right and bottom edges lie outside it, as on the original platform.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const CRect&, const CRect&) = default;
};

// Pen styles with the numbers of the original platform's pens.
enum EPenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
};

struct SPen {
    int style = kPenSolid;
    int width = 1;
    COLORREF colour = 0;
    friend bool operator==(const SPen&, const SPen&) = default;
};

struct SBrush {
    COLORREF colour = 0xFFFFFF;
    bool hollow = false; // fills nothing
    friend bool operator==(const SBrush&, const SBrush&) = default;
};

enum EBkMode : int { kTransparent = 1, kOpaque = 2 };

// A bitmap of `width` x `height` pixels, row by row from the top, each pixel a COLORREF.
struct SImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The device context every pane, element and panel draws with: a current pen, brush, font,
// text colour and background mode, and the primitives of the original platform with its
// coordinate rules (a line leaves out its last pixel; a rectangle's right and bottom edges
// lie outside it). QtDC draws with QPainter; CRecordingDC keeps the calls for tests.
class CDC {
public:
    virtual ~CDC() = default;

    // True for a printer: the view then draws straight into it instead of a memory bitmap.
    virtual bool IsPrinting() const { return false; }

    virtual void SelectPen(const SPen& pen) = 0;
    virtual void SelectBrush(const SBrush& brush) = 0;
    virtual void SelectFont(const LOGFONT& font) = 0;
    virtual void SetTextColor(COLORREF colour) = 0;
    virtual void SetBkMode(EBkMode mode) = 0;
    virtual void SetBkColor(COLORREF colour) = 0;

    void MoveTo(int x, int y) { m_position = {x, y}; }
    // A line from the current position to (x, y), which becomes the current position.
    void LineTo(int x, int y) {
        Line(m_position.x, m_position.y, x, y);
        m_position = {x, y};
    }
    // A line in the current pen from (x1, y1) up to, not including, (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Connected lines through the points in the current pen.
    virtual void Polyline(std::span<const CPoint> points) = 0;
    // Outline in the current pen, inside in the current brush.
    virtual void Rectangle(const CRect& rect) = 0;
    // Fills the rectangle with a colour; pen and brush are not used.
    virtual void FillSolidRect(const CRect& rect, COLORREF colour) = 0;
    // The ellipse inscribed in the rectangle: outline in the pen, inside in the brush.
    virtual void Ellipse(const CRect& box) = 0;
    // The part of the ellipse inscribed in `box` from the ray through `start` counter-clockwise
    // to the ray through `end`, in the current pen.
    virtual void Arc(const CRect& box, CPoint start, CPoint end) = 0;
    // A closed polygon: outline in the pen, inside in the brush.
    virtual void Polygon(std::span<const CPoint> points) = 0;
    // Text with its top-left corner at (x, y) in the current font and text colour; an opaque
    // background mode also fills the text box with the background colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual CSize GetTextExtent(std::string_view text) = 0;
    // The part `source` of `image` with its top-left corner at (x, y); pixels of the colour
    // `transparent` are left out when `useTransparent` is set.
    virtual void DrawImage(int x, int y, const SImage& image, const CRect& source,
                           bool useTransparent, COLORREF transparent) = 0;
    virtual void SetPixel(int x, int y, COLORREF colour) = 0;

    CPoint CurrentPosition() const { return m_position; }

private:
    CPoint m_position;
};
