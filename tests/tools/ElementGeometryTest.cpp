#include "quotes/SQuote.h"
#include "tools/CHorizontal.h"
#include "tools/CLine.h"
#include "tools/CText.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// A pane showing bars 0..99 in 400 pixels from x = 10, values 0..100 in 200 pixels.
template <typename T> T Mapped() {
    T element;
    element.StoreMapping(100, 0, 0, 100, 10, 20, 410, 220);
    return element;
}

TEST(ElementGeometryTest, ToolAnchorsHaveNoHalfBarOffset) {
    CLine line = Mapped<CLine>();
    line.SetAnchor(10, 20, 1);
    EXPECT_EQ(line.IndexToX(10), 50);
    CSymbol& base = line;
    EXPECT_EQ(base.PointOf(10, 50).y, 120);
    CText text = Mapped<CText>();
    EXPECT_EQ(text.IndexToX(10), 50);
}

TEST(ElementGeometryTest, MappingRoundTrips) {
    const CLine line = Mapped<CLine>();
    EXPECT_EQ(line.ValueToY(0), 220);
    EXPECT_EQ(line.ValueToY(100), 20);
    EXPECT_EQ(line.YToValue(120), 50.0f);
    EXPECT_EQ(line.XToIndex(210), 50.0f);
    CLine empty;
    EXPECT_EQ(empty.ValueToY(5), 0); // no mapping yet: no undefined conversion
}

struct SHit {
    const char* what;
    bool selected;
    int x, y;
    int expected;
};

TEST(ElementGeometryTest, LineHitTest) {
    // From (10, 50) to (60, 50): pixels (50, 120) to (250, 120).
    const std::vector<SHit> cases = {
        {"body", false, 150, 120, 1},
        {"body within 1 pixel", false, 150, 121, 1},
        {"2 pixels off", false, 150, 122, 0},
        {"selected body", true, 150, 119, 2},
        {"first handle", true, 51, 121, 3},
        {"second handle", true, 249, 119, 4},
        {"handle 2 pixels off is body", true, 52, 120, 2},
        {"handle not selected is body", false, 50, 120, 1},
        {"beyond the end", false, 260, 120, 0},
    };
    for (const SHit& c : cases) {
        CLine line = Mapped<CLine>();
        line.x1 = 10;
        line.y1 = 50;
        line.x2 = 60;
        line.y2 = 50;
        line.selected = c.selected ? 1 : 0;
        EXPECT_EQ(line.HitTest(c.x, c.y), c.expected) << c.what;
        EXPECT_EQ(line.hitState, c.expected) << c.what;
    }
}

TEST(ElementGeometryTest, ZeroLengthLineIsHitOnlyOnItsPixel) {
    CLine line = Mapped<CLine>();
    line.SetAnchor(10, 50, 1);
    EXPECT_EQ(line.HitTest(50, 120), 1);
    EXPECT_EQ(line.HitTest(51, 120), 0);
    EXPECT_EQ(line.HitTest(50, 121), 0);
}

TEST(ElementGeometryTest, TrackingKeepsTheLastResult) {
    CLine line = Mapped<CLine>();
    line.x2 = 60;
    line.Select();
    EXPECT_EQ(line.HitTest(250, 220), 4);
    line.BeginTracking();
    EXPECT_EQ(line.HitTest(0, 0), 4);
    line.EndTracking();
    EXPECT_EQ(line.HitTest(0, 0), 0);
    EXPECT_EQ(line.hitState, 4); // a handle result stays
    line.Deselect();
    EXPECT_EQ(line.hitState, 0);
    EXPECT_FALSE(line.IsSelected());
}

TEST(ElementGeometryTest, ExtendRightReachesTheRightOrTopEdge) {
    CLine line = Mapped<CLine>();
    line.extendRight = 1;
    // Pixels (50, 120) to (90, 110): slope -1/4, reaches x = 410 at y = 30.
    line.x1 = 10, line.y1 = 50, line.x2 = 20, line.y2 = 55;
    SPoint p1 = line.PointOf(line.x1, line.y1), p2 = line.PointOf(line.x2, line.y2);
    line.ExtendedSegment(p1, p2);
    EXPECT_EQ(p1.x, 50);
    EXPECT_EQ(p2.x, 410);
    EXPECT_EQ(p2.y, 30);
    // Pixels (50, 120) to (70, 95): slope -1.25, leaves through the top at x = 130.
    line.x2 = 15, line.y2 = 62.5f;
    p1 = line.PointOf(line.x1, line.y1), p2 = line.PointOf(line.x2, line.y2);
    line.ExtendedSegment(p1, p2);
    EXPECT_EQ(p2.x, 130);
    EXPECT_EQ(p2.y, 20);
    EXPECT_EQ(line.HitTest(400, 32), 0);
    EXPECT_EQ(line.HitTest(120, 32), 1);
    line.extendRight = 0;
    EXPECT_EQ(line.HitTest(120, 32), 0);
}

TEST(ElementGeometryTest, RescaleKeepsTheDates) {
    CLine line;
    line.x1 = 100;
    line.x2 = 50;
    line.Rescale(5);
    EXPECT_EQ(line.x1, 20.0f);
    EXPECT_EQ(line.x2, 10.0f);
    EXPECT_EQ(line.Period(), 5);
    line.Rescale(1);
    EXPECT_EQ(line.x1, 100.0f);
    line.Rescale(0); // refused: no division by zero
    EXPECT_EQ(line.Period(), 1);
}

TEST(ElementGeometryTest, MovingShiftsBothAnchors) {
    CLine line = Mapped<CLine>();
    line.x1 = 10, line.y1 = 50, line.x2 = 20, line.y2 = 60;
    line.grabPoint = {50, 120};
    line.MoveBy(90, 70);
    EXPECT_EQ(line.x1, 20.0f);
    EXPECT_EQ(line.x2, 30.0f);
    EXPECT_EQ(line.y1, 75.0f);
    EXPECT_EQ(line.y2, 85.0f);
    EXPECT_EQ(line.grabPoint.x, 90);
}

TEST(ElementGeometryTest, SnappingFollowsThePriceOfTheBars) {
    std::vector<SQuote> bars(3);
    for (int i = 0; i < 3; ++i) {
        bars[i].open = 10.0f + i;
        bars[i].high = 20.0f + i;
        bars[i].low = 5.0f + i;
        bars[i].close = 15.0f + i;
    }
    CLine line;
    line.snapField = "high";
    line.x1 = 1.7f;
    line.x2 = 9;
    line.SnapToPrice(bars);
    EXPECT_EQ(line.x2, 2.0f);
    EXPECT_EQ(line.y1, 21.0f);
    EXPECT_EQ(line.y2, 22.0f);
    line.snapField = "MA";
    line.x1 = -3;
    line.y1 = 7;
    line.SnapToPrice(bars);
    EXPECT_EQ(line.x1, 0.0f);
    EXPECT_EQ(line.y1, 7.0f);
}

TEST(ElementGeometryTest, HorizontalLineDraggedDiagonallyStaysHorizontal) {
    CHorizontal line(30);
    line.SetPoint2(80, 55);
    EXPECT_EQ(line.x2, 80.0f);
    EXPECT_EQ(line.y2, 30.0f);
}

} // namespace
