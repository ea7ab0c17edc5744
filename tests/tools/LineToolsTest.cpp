#include "ToolTestSupport.h"
#include "tools/CGChannel.h"
#include "tools/CHorizontal.h"
#include "tools/CLine.h"
#include "tools/CLineReg.h"
#include "tools/CSDChannel.h"
#include "tools/CSEChannel.h"
#include "tools/CSpeed.h"
#include "tools/CVertical.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {
// Bars 0..99 over 400 pixels from x = 50 (4 pixels a bar); values 0..256 over 256 pixels
// up from y = 276 (a pixel per unit).
const CRect kPlot{50, 20, 450, 276};

void DrawIn(CSymbol& element, CRecordingDC& dc) {
    element.Draw(dc, 256, 0, 0, 100, kPlot);
}

CLine LineFrom(float x1, float y1, float x2, float y2) {
    CLine line;
    line.x1 = x1;
    line.y1 = y1;
    line.x2 = x2;
    line.y2 = y2;
    return line;
}
} // namespace

TEST(TrendLine, StartsAtTheBarsLeftEdgeWithoutHalfBarOffset) {
    CLine line = LineFrom(10, 20, 20, 30);
    CRecordingDC dc;
    DrawIn(line, dc);
    ASSERT_EQ(dc.OpsOf(CRecordingDC::kLine).size(), 1u);
    EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{90, 256}, {130, 246}}));
    EXPECT_EQ(line.CSymbol::IndexToX(10), 92); // the price series draws bar 10 at its centre
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kRectangle).empty());
}

TEST(TrendLine, DrawsWithItsPenStyleWidthAndColour) {
    struct Case {
        int lineStyle;
        int penStyle;
    };
    for (const Case c : {Case{0, kPenSolid}, Case{1, kPenSolid}, Case{2, kPenDash},
                         Case{3, kPenDot}, Case{4, kPenDashDot}, Case{5, kPenDashDotDot}}) {
        CLine line = LineFrom(10, 20, 20, 30);
        line.lineStyle = c.lineStyle;
        line.lineWidth = 3;
        line.color = 0x123456;
        CRecordingDC dc;
        DrawIn(line, dc);
        EXPECT_EQ(dc.OpsOf(CRecordingDC::kLine).at(0).pen, (SPen{c.penStyle, 3, 0x123456}))
            << c.lineStyle;
    }
}

TEST(TrendLine, SelectedShowsWhiteSquareHandlesAtBothAnchors) {
    CLine line = LineFrom(10, 20, 20, 30);
    line.Select();
    CRecordingDC dc;
    DrawIn(line, dc);
    const auto handles = dc.OpsOf(CRecordingDC::kRectangle);
    ASSERT_EQ(handles.size(), 2u);
    EXPECT_EQ(handles[0].rect, (CRect{87, 253, 93, 259}));
    EXPECT_EQ(handles[1].rect, (CRect{127, 243, 133, 249}));
    EXPECT_EQ(handles[0].pen, (SPen{kPenSolid, 1, 0}));
    EXPECT_EQ(handles[0].brush, (SBrush{0xFFFFFF, false}));
}

TEST(TrendLine, HitTestTakesHandlesWithinOnePixelAndTheBodyWithinOne) {
    struct Case {
        bool selected;
        int x, y, expected;
    };
    // The line runs from (90, 256) to (130, 246).
    const Case cases[] = {
        {true, 91, 257, 3},   {true, 89, 255, 3},   {true, 129, 247, 4}, {true, 110, 251, 2},
        {true, 110, 252, 2},  {true, 110, 253, 0},  {false, 90, 256, 1}, {false, 110, 250, 1},
        {false, 110, 249, 0}, {false, 131, 246, 0}, {false, 89, 256, 0},
    };
    for (const Case& c : cases) {
        CLine line = LineFrom(10, 20, 20, 30);
        CRecordingDC dc;
        DrawIn(line, dc);
        if (c.selected) line.Select();
        EXPECT_EQ(line.HitTest(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(TrendLine, SteepLineIsHitAcrossItsColumns) {
    CLine line = LineFrom(10, 20, 11, 120); // (90, 256) to (94, 156)
    CRecordingDC dc;
    DrawIn(line, dc);
    EXPECT_EQ(line.HitTest(92, 206), 1);
    EXPECT_EQ(line.HitTest(93, 206), 1);
    EXPECT_EQ(line.HitTest(94, 206), 0);
    EXPECT_EQ(line.HitTest(92, 155), 0);
}

TEST(TrendLine, ZeroLengthLineIsHitOnlyOnItsOwnPixel) {
    CLine line = LineFrom(10, 20, 10, 20);
    CRecordingDC dc;
    DrawIn(line, dc);
    EXPECT_EQ(line.HitTest(90, 256), 1);
    EXPECT_EQ(line.HitTest(91, 256), 0);
    EXPECT_EQ(line.HitTest(90, 255), 0);
}

TEST(TrendLine, TrackingKeepsTheLastHitCode) {
    CLine line = LineFrom(10, 20, 20, 30);
    CRecordingDC dc;
    DrawIn(line, dc);
    line.Select();
    ASSERT_EQ(line.HitTest(90, 256), 3);
    line.BeginTracking();
    EXPECT_EQ(line.HitTest(400, 30), 3);
    line.EndTracking();
    EXPECT_EQ(line.HitTest(400, 30), 0);
}

TEST(TrendLine, ExtendRightReachesTheRightEdgeOrTheTopWhenItLeavesThere) {
    struct Case {
        float y2;
        CPoint end;
    };
    // (90, 256) to (130, 246) reaches x = 450 at y = 166; (90, 256) to (130, 56) leaves
    // through the top (y = 20) at x = 137.
    for (const Case c : {Case{30, {450, 166}}, Case{220, {137, 20}}}) {
        CLine line = LineFrom(10, 20, 20, c.y2);
        line.extendRight = 1;
        CRecordingDC dc;
        DrawIn(line, dc);
        EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{90, 256}, c.end})) << c.y2;
    }
}

TEST(TrendLine, ExtendLeftReachesTheLeftEdge) {
    CLine line = LineFrom(10, 20, 20, 30);
    line.extendLeft = 1;
    CRecordingDC dc;
    DrawIn(line, dc);
    EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{50, 266}, {130, 246}}));
    EXPECT_EQ(line.HitTest(60, 263), 1);
}

TEST(TrendLine, MoveByShiftsBothAnchorsByTheDataDelta) {
    CLine line = LineFrom(10, 20, 20, 30);
    CRecordingDC dc;
    DrawIn(line, dc);
    line.Select();
    ASSERT_EQ(line.HitTest(110, 251), 2);
    line.MoveBy(130, 241); // 5 bars right, 10 up
    EXPECT_FLOAT_EQ(line.x1, 15);
    EXPECT_FLOAT_EQ(line.y1, 30);
    EXPECT_FLOAT_EQ(line.x2, 25);
    EXPECT_FLOAT_EQ(line.y2, 40);
}

TEST(Rescale, PeriodFiveMovesBarHundredToTwenty) {
    CLine line = LineFrom(100, 1, 50, 1);
    line.Rescale(5);
    EXPECT_FLOAT_EQ(line.x1, 20);
    EXPECT_FLOAT_EQ(line.x2, 10);
    EXPECT_EQ(line.Period(), 5);
}

TEST(Rescale, ChannelCarriesItsParallelPoints) {
    CGChannel channel;
    channel.SetAnchor(100, 5, 1);
    channel.Rescale(5);
    EXPECT_FLOAT_EQ(channel.x3, 20);
    EXPECT_FLOAT_EQ(channel.x4, 20);
}

TEST(Horizontal, DiagonalDragStaysAtTheFirstValueAcrossThePlot) {
    CHorizontal line;
    line.SetAnchor(10, 100, 1);
    line.SetPoint2(40, 250);
    CRecordingDC dc;
    DrawIn(line, dc);
    EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{50, 176}, {450, 176}}));
    EXPECT_EQ(line.HitTest(440, 177), 1);
    EXPECT_EQ(line.HitTest(440, 178), 0);
}

TEST(ElementTest, HorizontalLineHoldsOneValueInBothAnchors) {
    CHorizontal line(-80.0f);
    EXPECT_EQ(line.Value(), -80.0f);
    EXPECT_EQ(line.y2, -80.0f);
    line.SetValue(30.0f);
    EXPECT_EQ(line.y1, 30.0f);
    EXPECT_EQ(line.y2, 30.0f);
}

TEST(Vertical, RunsDownThePlotAtTheFirstBar) {
    CVertical line;
    line.SetAnchor(25, 100, 1);
    CRecordingDC dc;
    DrawIn(line, dc);
    EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{150, 20}, {150, 276}}));
    EXPECT_EQ(line.HitTest(151, 30), 1);
    EXPECT_EQ(line.HitTest(152, 30), 0);
}

TEST(Speed, LinesEndAtTheSecondAnchorAndItsThirds) {
    CSpeed speed;
    speed.x1 = 0;
    speed.y1 = 128;
    speed.x2 = 90;
    speed.y2 = 38;
    speed.endPoints[1] = {7, 8}; // as a loaded record holds them
    CRecordingDC dc;
    speed.Draw(dc, 128, 0, 0, 128, CRect{0, 0, 128, 128}); // a pixel per bar and per unit
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<CPoint>{{0, 0}, {90, 90}}));
    EXPECT_EQ(lines[1].points, (std::vector<CPoint>{{0, 0}, {90, 30}}));
    EXPECT_EQ(lines[2].points, (std::vector<CPoint>{{0, 0}, {90, 60}}));
    // Drawing leaves the stored end points as they were.
    EXPECT_EQ(speed.endPoints[1].x, 7);
    EXPECT_EQ(speed.endPoints[1].y, 8);
    EXPECT_EQ(speed.endPoints[0].x, 0);
}

TEST(EquidistantChannel, UpperLineRunsTheThirdPointsOffsetAboveTheBaseLine) {
    CGChannel channel;
    channel.SetAnchor(10, 20, 1);
    channel.SetPoint2(20, 40);     // base (90, 256) to (130, 236), middle row 246
    channel.DragHandle(5, 15, 50); // row 226: 20 above the middle
    channel.lowerShown = 0;
    CRecordingDC dc;
    DrawIn(channel, dc);
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points, (std::vector<CPoint>{{90, 236}, {130, 216}}));
    EXPECT_EQ(channel.HitTest(110, 226), 1);
    channel.Select();
    EXPECT_EQ(channel.HitTest(110, 227), 5);
}

TEST(EquidistantChannel, MoveByCarriesAllFourPointsAndCentresTheParallels) {
    CGChannel channel;
    channel.SetAnchor(10, 20, 1);
    channel.SetPoint2(20, 40);
    channel.DragHandle(5, 12, 50);
    channel.DragHandle(6, 13, 10);
    CRecordingDC dc;
    DrawIn(channel, dc);
    channel.Select();
    ASSERT_EQ(channel.HitTest(110, 246), 2);
    channel.MoveBy(130, 236); // 5 bars, 10 up
    EXPECT_FLOAT_EQ(channel.y3, 60);
    EXPECT_FLOAT_EQ(channel.y4, 20);
    EXPECT_FLOAT_EQ(channel.x3, 20);
    EXPECT_FLOAT_EQ(channel.x4, 20);
}

TEST(DeviationChannels, SpreadOverOneTwoThree) {
    FakeOwner owner;
    owner.bars = FakeOwner::FlatBars({1, 2, 3, 4});
    CSDChannel deviation;
    CSEChannel error;
    for (CSDChannel* channel : {&deviation, static_cast<CSDChannel*>(&error)}) {
        channel->owner = &owner;
        channel->snapToPrice = 1;
        channel->snapField = "close";
        channel->SetAnchor(0, 0, 1);
        channel->SetPoint2(3, 0); // bars 0..2: values 1, 2, 3
        EXPECT_FLOAT_EQ(channel->y1, 1);
        EXPECT_FLOAT_EQ(channel->y2, 4);
        EXPECT_FLOAT_EQ(channel->x3, 1.5f);
    }
    EXPECT_FLOAT_EQ(deviation.y3, 2.5f + 1.0f);
    EXPECT_FLOAT_EQ(deviation.y4, 2.5f - 1.0f);
    EXPECT_FLOAT_EQ(error.y3, 2.5f + std::sqrt(2.0f / 3.0f));
}

TEST(DeviationChannels, SingleBarGivesZeroSpreadNotDivisionByZero) {
    FakeOwner owner;
    owner.bars = FakeOwner::FlatBars({1, 2, 3, 4});
    for (float second : {2.0f, 3.0f}) { // no bar, then one bar between the anchors
        CSDChannel channel;
        channel.owner = &owner;
        channel.snapToPrice = 1;
        channel.snapField = "close";
        channel.SetAnchor(2, 0, 1);
        channel.SetPoint2(second, 0);
        EXPECT_FLOAT_EQ(channel.y3, (channel.y1 + channel.y2) / 2) << second;
        EXPECT_FLOAT_EQ(channel.y4, (channel.y1 + channel.y2) / 2) << second;
    }
}

TEST(DeviationChannels, FollowANamedCurve) {
    FakeOwner owner;
    owner.bars = FakeOwner::FlatBars({0, 0, 0, 0});
    owner.curves["SMA"] = {1, 2, 3, 9};
    CSDChannel channel;
    channel.owner = &owner;
    channel.snapToPrice = 1;
    channel.snapField = "SMA";
    channel.SetAnchor(0, 0, 1);
    channel.SetPoint2(3, 0);
    EXPECT_FLOAT_EQ(channel.y2, 9);
    EXPECT_FLOAT_EQ(channel.y3, 5 + 1.0f);
}

// A regression line of `owner`'s bars that follows the price or curve `field`.
static CLineReg SnappedRegression(FakeOwner& owner, const char* field) {
    CLineReg line;
    line.owner = &owner;
    line.snapToPrice = 1;
    line.snapField = field;
    return line;
}

TEST(Regression, RisingClosesPutTheAnchorsOnThem) {
    FakeOwner owner;
    std::vector<float> closes;
    for (int i = 0; i < 30; ++i) closes.push_back(1000.5f + static_cast<float>(i));
    owner.bars = FakeOwner::FlatBars(closes);
    CLineReg line = SnappedRegression(owner, "close");
    line.SetAnchor(5, 0, 1);
    line.SetPoint2(25, 0);
    EXPECT_FLOAT_EQ(line.slope, 1);
    EXPECT_FLOAT_EQ(line.y1, 1005.5f);
    EXPECT_FLOAT_EQ(line.y2, 1025.5f);
}

TEST(Regression, FitsLeastSquaresClampsAndStaysFlatOverOneBar) {
    FakeOwner owner;
    owner.bars = FakeOwner::FlatBars({1, 3, 2});
    CLineReg line = SnappedRegression(owner, "close");
    line.SetAnchor(-4, 0, 1);
    line.SetPoint2(7, 0); // clamped to bars 0..2
    EXPECT_FLOAT_EQ(line.x1, 0);
    EXPECT_FLOAT_EQ(line.x2, 2);
    EXPECT_FLOAT_EQ(line.slope, 0.5f);
    EXPECT_FLOAT_EQ(line.intercept, 1.5f);
    EXPECT_FLOAT_EQ(line.y2, 2.5f);
    line.SetPoint2(0, 0);
    EXPECT_FLOAT_EQ(line.slope, 0);
    EXPECT_FLOAT_EQ(line.y1, 1);
    EXPECT_FLOAT_EQ(line.y2, 1);
}

TEST(Regression, WithoutASourceNothingChanges) {
    FakeOwner owner;
    owner.bars = FakeOwner::FlatBars({1, 3, 2});
    CLineReg line = SnappedRegression(owner, "MACD");
    line.SetAnchor(0, 7, 1);
    line.SetPoint2(9, 8);
    EXPECT_FLOAT_EQ(line.x2, 9);
    EXPECT_FLOAT_EQ(line.y2, 8);
}
