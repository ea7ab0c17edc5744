#pragma once
#include "ctlkit/dc/CDC.h"
#include <initializer_list>

// Anti-alias-free raster drawing into one 18 x 18 cell of an image, in cell coordinates with
// pixel centres at whole numbers. Angles are in degrees, counter-clockwise from three o'clock.
class IconCanvas {
public:
    struct SPt {
        float x;
        float y;
    };

    IconCanvas(SImage& image, int cellLeft, int size);

    void Disc(float cx, float cy, float r, COLORREF c);
    void Ring(float cx, float cy, float r, float width, COLORREF c);
    void Arc(float cx, float cy, float r, float from, float to, float width, COLORREF c);
    void Line(float ax, float ay, float bx, float by, float width, COLORREF c);
    void Polyline(std::initializer_list<SPt> points, float width, COLORREF c);
    void Polygon(std::initializer_list<SPt> points, COLORREF c);
    void Box(float left, float top, float right, float bottom, COLORREF c);
    // Repaints every drawn pixel that touches the transparent background in `c`.
    void Outline(COLORREF c);

private:
    template <typename Inside> void Fill(Inside inside, COLORREF c);
    bool Drawn(int x, int y) const;

    SImage& m_image;
    int m_left;
    int m_size;
};
