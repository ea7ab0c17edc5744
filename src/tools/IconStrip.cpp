#include "IconStrip.h"
#include "IconCanvas.h"
#include <array>
#include <cmath>
#include <functional>

namespace IconStrip {
namespace {
using Painter = void (*)(IconCanvas&);

constexpr COLORREF kBlack = MakeRGB(0, 0, 0);
constexpr COLORREF kDark = MakeRGB(60, 40, 20);
constexpr COLORREF kGreen = MakeRGB(0, 160, 0);
constexpr COLORREF kDarkGreen = MakeRGB(0, 90, 0);
constexpr COLORREF kRed = MakeRGB(210, 0, 0);
constexpr COLORREF kDarkRed = MakeRGB(120, 0, 0);
constexpr COLORREF kBrown = MakeRGB(140, 80, 30);
constexpr COLORREF kTan = MakeRGB(210, 160, 110);
constexpr COLORREF kYellow = MakeRGB(255, 215, 0);
constexpr COLORREF kOrange = MakeRGB(255, 130, 0);
constexpr COLORREF kSkin = MakeRGB(250, 200, 150);
constexpr COLORREF kBlue = MakeRGB(0, 90, 220);
constexpr COLORREF kIce = MakeRGB(60, 160, 230);
constexpr COLORREF kBone = MakeRGB(225, 225, 215);
constexpr COLORREF kGrey = MakeRGB(90, 90, 90);
constexpr COLORREF kZodiac = MakeRGB(110, 30, 150);
constexpr float kStroke = 1.6f;

void Bull(IconCanvas& c) {
    c.Polyline({{4, 7.5f}, {1.5f, 5.5f}, {1.5f, 1.5f}}, 2, kBrown); // horns
    c.Polyline({{13, 7.5f}, {15.5f, 5.5f}, {15.5f, 1.5f}}, 2, kBrown);
    c.Polygon({{3, 6}, {14, 6}, {12, 13}, {5, 13}}, kGreen);
    c.Disc(8.5f, 13.5f, 3.5f, kGreen); // muzzle
    c.Outline(kDarkGreen);
    c.Disc(6, 8.5f, 1, kBlack);
    c.Disc(11, 8.5f, 1, kBlack);
    c.Disc(7.3f, 14, 0.7f, kBlack);
    c.Disc(9.7f, 14, 0.7f, kBlack);
}

void Bear(IconCanvas& c) {
    c.Disc(4, 4.5f, 2.8f, kRed);
    c.Disc(14, 4.5f, 2.8f, kRed);
    c.Disc(9, 10, 6.8f, kRed);
    c.Outline(kDarkRed);
    c.Disc(9, 12.5f, 2.6f, kTan);
    c.Disc(6.5f, 8.5f, 1, kBlack);
    c.Disc(11.5f, 8.5f, 1, kBlack);
    c.Disc(9, 11.5f, 1, kBlack);
}

void Face(IconCanvas& c) {
    c.Disc(8.5f, 8.5f, 7.6f, kYellow);
    c.Ring(8.5f, 8.5f, 7.4f, 1.2f, kBlack);
    c.Disc(6, 6, 1.1f, kBlack);
    c.Disc(11, 6, 1.1f, kBlack);
}

void Smile(IconCanvas& c) {
    Face(c);
    c.Arc(8.5f, 8.5f, 4.5f, 200, 340, 1.3f, kBlack);
}

void FairFace(IconCanvas& c) {
    Face(c);
    c.Line(5.5f, 12, 11.5f, 12, 1.3f, kBlack);
}

void SadFace(IconCanvas& c) {
    Face(c);
    c.Arc(8.5f, 16, 4.5f, 35, 145, 1.3f, kBlack);
}

// A hand with two fingers raised in a V.
void Yeah(IconCanvas& c) {
    c.Line(7, 10, 4, 2, 2.8f, kSkin);
    c.Line(10, 10, 13, 2, 2.8f, kSkin);
    c.Disc(8.5f, 12.5f, 4, kSkin);
    c.Line(5, 11, 3.5f, 9, 2.4f, kSkin);
    c.Outline(kBrown);
    c.Line(7, 12, 11, 12, 1, kBrown);
}

void ThumbUp(IconCanvas& c) {
    c.Box(5, 8, 14, 16, kSkin);
    c.Line(7, 9, 7, 2, 3, kSkin);
    c.Outline(kBrown);
    c.Line(9, 10.5f, 13, 10.5f, 1, kBrown);
    c.Line(9, 13, 13, 13, 1, kBrown);
    c.Box(2, 8, 4, 16, kBlue);
}

void ThumbDown(IconCanvas& c) {
    c.Box(5, 1, 14, 9, kSkin);
    c.Line(7, 8, 7, 15, 3, kSkin);
    c.Outline(kBrown);
    c.Line(9, 4, 13, 4, 1, kBrown);
    c.Line(9, 6.5f, 13, 6.5f, 1, kBrown);
    c.Box(2, 1, 4, 9, kRed);
}

// An arrow pointing at `angle` degrees, filled in `fill`.
void Arrow(IconCanvas& c, float angle, COLORREF fill, COLORREF edge) {
    const float a = angle * 3.14159265f / 180;
    const float ux = std::cos(a), uy = -std::sin(a);
    const float vx = -uy, vy = ux;
    auto at = [&](float along, float across) {
        return IconCanvas::SPt{8.5f + ux * along + vx * across, 8.5f + uy * along + vy * across};
    };
    c.Polygon({at(8.5f, 0), at(1, 7), at(1, 3), at(-8, 3), at(-8, -3), at(1, -3), at(1, -7)}, fill);
    c.Outline(edge);
}

void ArrowUp(IconCanvas& c) {
    Arrow(c, 90, kGreen, kDarkGreen);
}
void ArrowDown(IconCanvas& c) {
    Arrow(c, 270, kRed, kDarkRed);
}
void ArrowUpLeft(IconCanvas& c) {
    Arrow(c, 135, kGreen, kDarkGreen);
}
void ArrowUpRight(IconCanvas& c) {
    Arrow(c, 45, kGreen, kDarkGreen);
}
void ArrowDownLeft(IconCanvas& c) {
    Arrow(c, 225, kRed, kDarkRed);
}
void ArrowDownRight(IconCanvas& c) {
    Arrow(c, 315, kRed, kDarkRed);
}

// A fist with the index finger pointing at `angle` degrees (a multiple of 90).
void Pointing(IconCanvas& c, float angle) {
    const float a = angle * 3.14159265f / 180;
    const float ux = std::round(std::cos(a)), uy = -std::round(std::sin(a));
    const float vx = -uy, vy = ux;
    auto at = [&](float along, float across) {
        return IconCanvas::SPt{8.5f + ux * along + vx * across, 8.5f + uy * along + vy * across};
    };
    const IconCanvas::SPt tip = at(8, -2.5f), base = at(-1, -2.5f);
    c.Line(base.x, base.y, tip.x, tip.y, 3, kSkin);
    c.Polygon({at(1, -4.5f), at(1, 5), at(-7.5f, 5), at(-7.5f, -4.5f)}, kSkin);
    c.Outline(kBrown);
    for (float across : {0.5f, 3.0f}) {
        const IconCanvas::SPt from = at(-2, across), to = at(1, across);
        c.Line(from.x, from.y, to.x, to.y, 1, kBrown);
    }
    const IconCanvas::SPt cuffA = at(-8, -4.5f), cuffB = at(-8, 5);
    c.Line(cuffA.x, cuffA.y, cuffB.x, cuffB.y, 2, kBlue);
}

void PointLeft(IconCanvas& c) {
    Pointing(c, 180);
}
void PointRight(IconCanvas& c) {
    Pointing(c, 0);
}
void PointUp(IconCanvas& c) {
    Pointing(c, 90);
}
void PointDown(IconCanvas& c) {
    Pointing(c, 270);
}

// A spiked star of `points` points between radii `inner` and `outer`.
void Spikes(IconCanvas& c, int points, float inner, float outer, float turn, COLORREF fill) {
    std::array<IconCanvas::SPt, 24> corners{};
    const int count = 2 * points;
    for (int i = 0; i < count; ++i) {
        const float a = (turn + 180.0f * i / points) * 3.14159265f / 180;
        const float r = i % 2 ? inner : outer;
        corners[i] = {8.5f + r * std::cos(a), 8.5f - r * std::sin(a)};
    }
    // Triangles from the centre fill the star one spike at a time.
    for (int i = 0; i < count; ++i) {
        const IconCanvas::SPt& a = corners[i];
        const IconCanvas::SPt& b = corners[(i + 1) % count];
        c.Polygon({{8.5f, 8.5f}, a, b}, fill);
    }
}

void Boom(IconCanvas& c) {
    Spikes(c, 9, 4.5f, 8.8f, 10, kRed);
    c.Outline(kDarkRed);
    Spikes(c, 9, 2.5f, 5.5f, 30, kOrange);
    c.Disc(8.5f, 8.5f, 2.2f, kYellow);
}

void Dead(IconCanvas& c) {
    c.Disc(8.5f, 7.5f, 6.5f, kBone);
    c.Box(5, 11, 12, 16, kBone);
    c.Outline(kGrey);
    c.Disc(6, 7.5f, 1.8f, kBlack);
    c.Disc(11, 7.5f, 1.8f, kBlack);
    c.Polygon({{8.5f, 9.5f}, {9.7f, 12}, {7.3f, 12}}, kBlack);
    c.Line(7, 13.5f, 7, 16, 0.9f, kGrey);
    c.Line(10, 13.5f, 10, 16, 0.9f, kGrey);
}

void Flag(IconCanvas& c) {
    c.Line(3, 1, 3, 17, 1.6f, kDark);
    c.Box(4, 1.5f, 15, 9.5f, kRed);
    c.Box(4, 1.5f, 15, 3.5f, kDarkRed);
}

void TriangleFlag(IconCanvas& c) {
    c.Line(3, 1, 3, 17, 1.6f, kDark);
    c.Polygon({{3.5f, 1}, {16, 5.5f}, {3.5f, 10}}, kBlue);
}

void Sun(IconCanvas& c) {
    for (int i = 0; i < 8; ++i) {
        const float a = i * 45 * 3.14159265f / 180;
        c.Line(8.5f + 5.5f * std::cos(a), 8.5f - 5.5f * std::sin(a), 8.5f + 8.3f * std::cos(a),
               8.5f - 8.3f * std::sin(a), 1.5f, kOrange);
    }
    c.Disc(8.5f, 8.5f, 4.3f, kYellow);
    c.Ring(8.5f, 8.5f, 4.3f, 1, kOrange);
}

void Snow(IconCanvas& c) {
    for (int i = 0; i < 6; ++i) {
        const float a = (90 + i * 60) * 3.14159265f / 180;
        const float ex = 8.5f + 8 * std::cos(a), ey = 8.5f - 8 * std::sin(a);
        c.Line(8.5f, 8.5f, ex, ey, 1.3f, kIce);
        const float mx = 8.5f + 5 * std::cos(a), my = 8.5f - 5 * std::sin(a);
        for (float side : {-50.0f, 50.0f}) {
            const float b = a + side * 3.14159265f / 180;
            c.Line(mx, my, mx + 2.6f * std::cos(b), my - 2.6f * std::sin(b), 1.1f, kIce);
        }
    }
}

void Star(IconCanvas& c) {
    Spikes(c, 5, 3.6f, 8.8f, 90, kYellow);
    c.Outline(kOrange);
}

void Moon(IconCanvas& c) {
    c.Disc(8.5f, 8.5f, 7.8f, kYellow);
    c.Disc(12, 6.5f, 6.5f, 0xFFFFFF);
    c.Outline(kOrange);
}

void Aries(IconCanvas& c) {
    c.Arc(5.2f, 6, 3, 0, 200, kStroke, kZodiac);
    c.Arc(11.8f, 6, 3, -20, 180, kStroke, kZodiac);
    c.Line(8.2f, 6, 8.5f, 16, kStroke, kZodiac);
    c.Line(8.8f, 6, 8.5f, 16, kStroke, kZodiac);
}

void Taurus(IconCanvas& c) {
    c.Ring(8.5f, 11.5f, 4.3f, kStroke, kZodiac);
    c.Arc(8.5f, 1.5f, 5.8f, 190, 350, kStroke, kZodiac);
}

void Gemini(IconCanvas& c) {
    c.Arc(8.5f, -8, 11.5f, 240, 300, kStroke, kZodiac);
    c.Arc(8.5f, 25, 11.5f, 60, 120, kStroke, kZodiac);
    c.Line(6, 3.5f, 6, 13.5f, kStroke, kZodiac);
    c.Line(11, 3.5f, 11, 13.5f, kStroke, kZodiac);
}

void Cancer(IconCanvas& c) {
    c.Ring(4.5f, 6.5f, 2.2f, kStroke, kZodiac);
    c.Arc(8.8f, 9, 6.5f, 25, 135, kStroke, kZodiac);
    c.Ring(12.5f, 10.5f, 2.2f, kStroke, kZodiac);
    c.Arc(8.2f, 8, 6.5f, 205, 315, kStroke, kZodiac);
}

void Leo(IconCanvas& c) {
    c.Ring(5, 12, 2.5f, kStroke, kZodiac);
    c.Arc(9.5f, 6.5f, 3.8f, -60, 205, kStroke, kZodiac);
    c.Polyline({{11.4f, 9.8f}, {13, 14.5f}, {14.5f, 15.5f}, {16, 14}}, kStroke, kZodiac);
}

// The m that virgo and scorpio share: three stems joined by two humps.
void Em(IconCanvas& c) {
    c.Line(2.5f, 5, 2.5f, 14, kStroke, kZodiac);
    c.Arc(4.5f, 5.5f, 2, 0, 180, kStroke, kZodiac);
    c.Line(6.5f, 5.5f, 6.5f, 14, kStroke, kZodiac);
    c.Arc(8.5f, 5.5f, 2, 0, 180, kStroke, kZodiac);
}

void Virgo(IconCanvas& c) {
    Em(c);
    c.Line(10.5f, 5.5f, 10.5f, 13, kStroke, kZodiac);
    c.Arc(12.7f, 10.5f, 2.4f, -160, 150, kStroke, kZodiac);
    c.Line(10.5f, 13, 9, 16, kStroke, kZodiac);
}

void Libra(IconCanvas& c) {
    c.Line(1.5f, 15, 15.5f, 15, kStroke, kZodiac);
    c.Line(1.5f, 11.5f, 5.5f, 11.5f, kStroke, kZodiac);
    c.Arc(8.5f, 8.5f, 3.7f, -45, 225, kStroke, kZodiac);
    c.Line(11.5f, 11.5f, 15.5f, 11.5f, kStroke, kZodiac);
}

void Scorpio(IconCanvas& c) {
    Em(c);
    c.Polyline({{10.5f, 5.5f}, {10.5f, 14.5f}, {15.5f, 14.5f}}, kStroke, kZodiac);
    c.Polyline({{13.5f, 12.2f}, {15.8f, 14.5f}, {13.5f, 16.8f}}, kStroke, kZodiac);
}

void Sagittarius(IconCanvas& c) {
    c.Line(2, 15, 15, 2, kStroke, kZodiac);
    c.Polyline({{8.5f, 2}, {15, 2}, {15, 8.5f}}, kStroke, kZodiac);
    c.Line(4.5f, 7.5f, 9.5f, 12.5f, kStroke, kZodiac);
}

void Capricorn(IconCanvas& c) {
    c.Polyline({{1.5f, 4}, {4.5f, 14}, {7.5f, 4}}, kStroke, kZodiac);
    c.Arc(10, 6.5f, 2.5f, 0, 180, kStroke, kZodiac);
    c.Line(12.5f, 6.5f, 12.5f, 12.5f, kStroke, kZodiac);
    c.Arc(14, 12.5f, 1.8f, 90, 360, kStroke, kZodiac);
    c.Arc(10, 12.5f, 2.5f, 200, 360, kStroke, kZodiac);
}

void Aquarius(IconCanvas& c) {
    c.Polyline({{1.5f, 8}, {5, 4.5f}, {8.5f, 8}, {12, 4.5f}, {15.5f, 8}}, kStroke, kZodiac);
    c.Polyline({{1.5f, 14}, {5, 10.5f}, {8.5f, 14}, {12, 10.5f}, {15.5f, 14}}, kStroke, kZodiac);
}

void Pisces(IconCanvas& c) {
    c.Arc(-1.5f, 8.5f, 7.5f, -65, 65, kStroke, kZodiac);
    c.Arc(18.5f, 8.5f, 7.5f, 115, 245, kStroke, kZodiac);
    c.Line(3, 8.5f, 14, 8.5f, kStroke, kZodiac);
}

void Exclamation(IconCanvas& c) {
    c.Polygon({{6.5f, 1}, {10.5f, 1}, {9.5f, 11.5f}, {7.5f, 11.5f}}, kRed);
    c.Disc(8.5f, 14.8f, 1.9f, kRed);
}

void Question(IconCanvas& c) {
    c.Arc(8.5f, 5.5f, 4, -90, 180, 2.4f, kBlue);
    c.Line(8.5f, 9.5f, 8.5f, 11.5f, 2.4f, kBlue);
    c.Disc(8.5f, 14.8f, 1.7f, kBlue);
}

constexpr std::array<Painter, kIconCount> kPainters = {
    Bull,         Bear,       Smile,     FairFace,    SadFace,      Yeah,          ThumbUp,
    ThumbDown,    ArrowUp,    ArrowDown, ArrowUpLeft, ArrowUpRight, ArrowDownLeft, ArrowDownRight,
    PointLeft,    PointRight, PointUp,   PointDown,   Boom,         Dead,          Flag,
    TriangleFlag, Sun,        Snow,      Star,        Moon,         Aries,         Taurus,
    Gemini,       Cancer,     Leo,       Virgo,       Libra,        Scorpio,       Sagittarius,
    Capricorn,    Aquarius,   Pisces,    Exclamation, Question};

SImage Build() {
    SImage image;
    image.width = kIconSize * kIconCount;
    image.height = kIconSize;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, kTransparent);
    for (int i = 0; i < kIconCount; ++i) {
        IconCanvas canvas(image, i * kIconSize, kIconSize);
        kPainters[static_cast<size_t>(i)](canvas);
    }
    return image;
}
} // namespace

const SImage& Image() {
    static const SImage image = Build();
    return image;
}
} // namespace IconStrip
