#include "tools/ToolGeometry.h"
#include <functional>
#include <gtest/gtest.h>

TEST(ToolGeometry, PenOfGivesEachLineStyleItsPenAndTheRestSolid) {
    const std::pair<int, int> styles[] = {{0, kPenSolid}, {1, kPenSolid},   {2, kPenDash},
                                          {3, kPenDot},   {4, kPenDashDot}, {5, kPenDashDotDot},
                                          {6, kPenSolid}, {-1, kPenSolid}};
    for (const auto& [lineStyle, penStyle] : styles)
        EXPECT_EQ(ToolGeometry::PenOf(lineStyle, 4, 0x123456), (SPen{penStyle, 4, 0x123456}))
            << lineStyle;
    EXPECT_EQ(ToolGeometry::DiagonalPen(), (SPen{kPenDot, 1, 0}));
}

TEST(ToolGeometry, BoxOfTakesTheCornersInEitherOrder) {
    EXPECT_EQ(ToolGeometry::BoxOf({10, 20}, {5, 30}), (CRect{5, 20, 10, 30}));
    EXPECT_EQ(ToolGeometry::BoxOf({5, 30}, {10, 20}), (CRect{5, 20, 10, 30}));
}

struct SFigureHit {
    const char* what;
    std::function<bool()> hit;
    bool expected;
};

TEST(ToolGeometry, FiguresAreHitWithinTheirTolerance) {
    using namespace ToolGeometry;
    const CRect square{0, 0, 10, 10};
    const CRect wide{0, 0, 20, 10}; // an ellipse of half axes 10 and 5 around (10, 5)
    const SFigureHit cases[] = {
        {"near point inside the tolerance",
         [] {
             return NearPoint({10, 10}, 11, 9, 2);
         },
         true},
        {"near point at the tolerance",
         [] {
             return NearPoint({10, 10}, 12, 10, 2);
         },
         false},
        {"near point off on y",
         [] {
             return NearPoint({10, 10}, 10, 8, 2);
         },
         false},
        {"flat segment on the line",
         [] {
             return OnSegment({0, 0}, {10, 5}, 4, 2, 1);
         },
         true},
        {"flat segment one row off",
         [] {
             return OnSegment({0, 0}, {10, 5}, 4, 3, 1);
         },
         true},
        {"flat segment two rows off",
         [] {
             return OnSegment({0, 0}, {10, 5}, 4, 4, 1);
         },
         false},
        {"flat segment past its end",
         [] {
             return OnSegment({0, 0}, {10, 5}, 11, 5, 1);
         },
         false},
        {"steep segment one column off",
         [] {
             return OnSegment({0, 0}, {2, 10}, 2, 5, 1);
         },
         true},
        {"steep segment two columns off",
         [] {
             return OnSegment({0, 0}, {2, 10}, 3, 5, 1);
         },
         false},
        {"steep segment past its end",
         [] {
             return OnSegment({0, 0}, {2, 10}, 2, 11, 1);
         },
         false},
        {"diagonal measured by rows",
         [] {
             return OnSegment({0, 0}, {10, 10}, 5, 6, 1);
         },
         true},
        {"diagonal two rows off",
         [] {
             return OnSegment({0, 0}, {10, 10}, 5, 7, 1);
         },
         false},
        {"point segment on its pixel",
         [] {
             return OnSegment({3, 3}, {3, 3}, 3, 3, 5);
         },
         true},
        {"point segment next to it",
         [] {
             return OnSegment({3, 3}, {3, 3}, 3, 4, 5);
         },
         false},
        {"rectangle top edge", [&] { return OnRectOutline(square, 5, 1, 1); }, true},
        {"rectangle outside its right edge", [&] { return OnRectOutline(square, 11, 5, 1); }, true},
        {"rectangle inside", [&] { return OnRectOutline(square, 5, 2, 1); }, false},
        {"rectangle corner", [&] { return OnRectOutline(square, 10, 10, 1); }, true},
        {"ellipse top", [&] { return OnEllipse(wide, 10, 0, 1); }, true},
        {"ellipse left end", [&] { return OnEllipse(wide, 0, 5, 1); }, true},
        {"ellipse inside", [&] { return OnEllipse(wide, 15, 5, 1); }, false},
        {"ellipse box corner", [&] { return OnEllipse(wide, 1, 1, 1); }, false},
        {"ellipse centre far from the outline", [&] { return OnEllipse(wide, 10, 5, 1); }, false},
        {"small ellipse centre",
         [] {
             return OnEllipse({0, 0, 2, 2}, 1, 1, 1);
         },
         true},
        {"flat ellipse as a segment",
         [] {
             return OnEllipse({0, 0, 10, 0}, 5, 1, 1);
         },
         true},
        {"flat ellipse off its segment",
         [] {
             return OnEllipse({0, 0, 10, 0}, 5, 2, 1);
         },
         false},
    };
    for (const SFigureHit& c : cases) EXPECT_EQ(c.hit(), c.expected) << c.what;
}
