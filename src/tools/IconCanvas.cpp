#include "IconCanvas.h"
#include <cmath>
#include <vector>

namespace {
constexpr float kPi = 3.14159265f;
constexpr COLORREF kWhite = 0xFFFFFF;

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float length = dx * dx + dy * dy;
    float t = length > 0 ? ((px - ax) * dx + (py - ay) * dy) / length : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const float ex = ax + t * dx - px, ey = ay + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

bool AngleWithin(float angle, float from, float to) {
    while (to < from) to += 360;
    while (angle < from) angle += 360;
    while (angle >= from + 360) angle -= 360;
    return angle <= to;
}
} // namespace

IconCanvas::IconCanvas(SImage& image, int cellLeft, int size)
    : m_image(image), m_left(cellLeft), m_size(size) {}

template <typename Inside> void IconCanvas::Fill(Inside inside, COLORREF c) {
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (inside(static_cast<float>(x), static_cast<float>(y)))
                m_image.pixels[static_cast<size_t>(y) * m_image.width + m_left + x] = c;
}

void IconCanvas::Disc(float cx, float cy, float r, COLORREF c) {
    Fill([&](float x, float y) { return std::hypot(x - cx, y - cy) <= r; }, c);
}

void IconCanvas::Ring(float cx, float cy, float r, float width, COLORREF c) {
    Fill([&](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) <= width / 2; },
         c);
}

void IconCanvas::Arc(float cx, float cy, float r, float from, float to, float width, COLORREF c) {
    Fill(
        [&](float x, float y) {
            if (std::fabs(std::hypot(x - cx, y - cy) - r) > width / 2) return false;
            const float angle = std::atan2(cy - y, x - cx) * 180 / kPi;
            return AngleWithin(angle, from, to);
        },
        c);
}

void IconCanvas::Line(float ax, float ay, float bx, float by, float width, COLORREF c) {
    Fill([&](float x, float y) { return SegmentDistance(x, y, ax, ay, bx, by) <= width / 2; }, c);
}

void IconCanvas::Polyline(std::initializer_list<SPt> points, float width, COLORREF c) {
    const SPt* previous = nullptr;
    for (const SPt& p : points) {
        if (previous) Line(previous->x, previous->y, p.x, p.y, width, c);
        previous = &p;
    }
}

void IconCanvas::Polygon(std::initializer_list<SPt> points, COLORREF c) {
    const std::vector<SPt> corners(points);
    Fill(
        [&](float x, float y) {
            bool inside = false;
            for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                const SPt& a = corners[i];
                const SPt& b = corners[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            return inside;
        },
        c);
}

void IconCanvas::Box(float left, float top, float right, float bottom, COLORREF c) {
    Fill([&](float x, float y) { return x >= left && x <= right && y >= top && y <= bottom; }, c);
}

bool IconCanvas::Drawn(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_size || y >= m_size) return false;
    return m_image.pixels[static_cast<size_t>(y) * m_image.width + m_left + x] != kWhite;
}

void IconCanvas::Outline(COLORREF c) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (Drawn(x, y) &&
                (!Drawn(x - 1, y) || !Drawn(x + 1, y) || !Drawn(x, y - 1) || !Drawn(x, y + 1)))
                edge.emplace_back(x, y);
    for (const auto& [x, y] : edge)
        m_image.pixels[static_cast<size_t>(y) * m_image.width + m_left + x] = c;
}
