#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include "tools/CText.h"
#include "view/CElementTracker.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Bars 0..99 over 400 pixels from x = 50; values 0..256 up from y = 276.
const SPaneMapping kMapping{CRect{50, 20, 450, 276}, 0, 100, 0, 256};

class ElementTrackerTest : public ::testing::Test {
protected:
    void SetUp() override { tracker.SetPane(&pane); }

    void DrawAll() {
        CRecordingDC dc;
        for (const auto& element : pane.Elements())
            element->Draw(dc, 256, 0, 0, 100, kMapping.plot);
    }

    // Places a tool with a drag from (ax, ay) to (bx, by).
    CSymbol* Place(int code, int ax, int ay, int bx, int by) {
        tracker.Arm(code);
        tracker.Hover(ax, ay);
        tracker.MouseDown(ax, ay, kMapping);
        tracker.MouseMove(bx, by, kMapping);
        tracker.MouseUp(bx, by, kMapping);
        DrawAll();
        return tracker.Selected();
    }

    void Drag(int ax, int ay, int bx, int by) {
        tracker.Hover(ax, ay);
        tracker.MouseDown(ax, ay, kMapping);
        tracker.Hover(bx, by);
        tracker.MouseMove(bx, by, kMapping);
        tracker.MouseUp(bx, by, kMapping);
        DrawAll();
    }

    CTCurve pane;
    CElementTracker tracker;
};
} // namespace

TEST(ElementColour, ComplementOfTheBackgroundUnlessItIsAsGrey) {
    const std::pair<COLORREF, COLORREF> cases[] = {
        {MakeRGB(255, 255, 255), MakeRGB(0, 0, 0)},
        {MakeRGB(0, 0, 0), MakeRGB(255, 255, 255)},
        {MakeRGB(255, 255, 192), MakeRGB(0, 0, 63)},
        {MakeRGB(128, 128, 128), MakeRGB(0, 0, 0)},       // complement 127: too near
        {MakeRGB(120, 120, 120), MakeRGB(255, 255, 255)}, // darker grey: white
        {MakeRGB(150, 110, 128), MakeRGB(255, 255, 255)}, // each channel near; dark overall
        {MakeRGB(200, 128, 128), MakeRGB(55, 127, 127)},  // red far enough: the complement
    };
    for (const auto& [background, expected] : cases)
        EXPECT_EQ(CElementTracker::ElementColourOn(background), expected) << background;
}

TEST_F(ElementTrackerTest, ArmedClickPlacesTheToolAndTheDragSetsItsSecondAnchor) {
    tracker.SetPeriod(5);
    tracker.Arm(CLine::kTypeCode);
    EXPECT_EQ(tracker.MouseDown(90, 256, kMapping), CElementTracker::kCreated);
    ASSERT_EQ(pane.Elements().size(), 1u);
    auto* line = dynamic_cast<CLine*>(pane.Elements()[0].get());
    ASSERT_NE(line, nullptr);
    EXPECT_FLOAT_EQ(line->x1, 10);
    EXPECT_FLOAT_EQ(line->y1, 20);
    EXPECT_EQ(line->Period(), 5);
    EXPECT_EQ(line->color, 0u); // black on the white pane
    EXPECT_TRUE(line->IsSelected());
    EXPECT_TRUE(tracker.MouseMove(130, 246, kMapping));
    EXPECT_TRUE(line->tracking);
    EXPECT_FLOAT_EQ(line->x2, 20);
    EXPECT_FLOAT_EQ(line->y2, 30);
    tracker.MouseUp(130, 246, kMapping);
    EXPECT_EQ(tracker.ArmedTool(), 0);
    EXPECT_FALSE(line->tracking);
}

TEST_F(ElementTrackerTest, NewElementsTakeTheComplementOfThePaneBackground) {
    tracker.SetBackground(MakeRGB(0, 0, 128));
    auto* line = dynamic_cast<CLine*>(Place(CLine::kTypeCode, 90, 256, 130, 246));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->color, MakeRGB(255, 255, 127));
}

TEST_F(ElementTrackerTest, CodesWithoutAClassAndClicksOutsideThePlotPlaceNothing) {
    for (int code : {5, 14, 18, 21, 22, 25, 29, 36, 37, 38, 91}) {
        tracker.Arm(code);
        EXPECT_EQ(tracker.MouseDown(100, 100, kMapping), CElementTracker::kNothing) << code;
        tracker.MouseUp(100, 100, kMapping);
    }
    tracker.Arm(CLine::kTypeCode);
    EXPECT_EQ(tracker.MouseDown(460, 100, kMapping), CElementTracker::kNothing);
    EXPECT_TRUE(pane.Elements().empty());
}

TEST_F(ElementTrackerTest, IconCodeSixtyPlacesImageNineAndTextAsksForItsDialog) {
    auto* icon = dynamic_cast<CIco*>(Place(60, 100, 100, 100, 100));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->iconNumber, 9);
    tracker.Arm(CText::kTypeCode);
    EXPECT_EQ(tracker.MouseDown(200, 100, kMapping), CElementTracker::kCreatedText);
    EXPECT_EQ(tracker.ArmedTool(), 0);
    EXPECT_FALSE(icon->IsSelected()); // the previous selection is dropped
}

TEST_F(ElementTrackerTest, ClickSelectsTheElementUnderTheMouseAndAMissDeselects) {
    CSymbol* line = Place(CLine::kTypeCode, 90, 256, 130, 246);
    tracker.MouseDown(300, 100, kMapping);
    tracker.MouseUp(300, 100, kMapping);
    EXPECT_EQ(tracker.Selected(), nullptr);
    EXPECT_FALSE(line->IsSelected());
    EXPECT_EQ(tracker.Hover(110, 251), 1);
    EXPECT_EQ(tracker.MouseDown(110, 251, kMapping), CElementTracker::kSelected);
    EXPECT_EQ(tracker.Selected(), line);
    EXPECT_TRUE(line->IsSelected());
}

TEST_F(ElementTrackerTest, DragOnTheBodyMovesBothEndsAndOnAHandleOnlyThatEnd) {
    CSymbol* line = Place(CLine::kTypeCode, 90, 256, 130, 246);
    Drag(110, 251, 130, 241); // body: 5 bars right, 10 up
    EXPECT_FLOAT_EQ(line->x1, 15);
    EXPECT_FLOAT_EQ(line->y1, 30);
    EXPECT_FLOAT_EQ(line->x2, 25);
    EXPECT_FLOAT_EQ(line->y2, 40);
    Drag(150, 236, 170, 196); // the second handle
    EXPECT_FLOAT_EQ(line->x1, 15);
    EXPECT_FLOAT_EQ(line->y1, 30);
    EXPECT_FLOAT_EQ(line->x2, 30);
    EXPECT_FLOAT_EQ(line->y2, 80);
}

TEST_F(ElementTrackerTest, RectangleCornerDragUsesTheCornerSetter) {
    CSymbol* rect = Place(CRectangle::kTypeCode, 90, 256, 130, 176);
    Drag(90, 176, 70, 156); // the corner (p1.x, p2.y)
    EXPECT_FLOAT_EQ(rect->x1, 5);
    EXPECT_FLOAT_EQ(rect->y2, 120);
    EXPECT_FLOAT_EQ(rect->x2, 20);
    EXPECT_FLOAT_EQ(rect->y1, 20);
}

TEST_F(ElementTrackerTest, ASelectionRemovedFromThePaneCountsAsNone) {
    Place(CLine::kTypeCode, 90, 256, 130, 246);
    ASSERT_NE(tracker.Selected(), nullptr);
    pane.RemoveDrawings();
    EXPECT_EQ(tracker.Selected(), nullptr);
    EXPECT_FALSE(tracker.MouseMove(100, 100, kMapping));
}

namespace {
// Bars with open 100, high 150, low 50 and close 120: under kMapping bar i is a line at
// x = 4 i + 52 from row 126 to row 226.
std::vector<SQuote> TrackerBars(int count) {
    std::vector<SQuote> bars;
    for (int i = 0; i < count; ++i) {
        SQuote q;
        q.date = 86400 * (10000 + i);
        q.open = 100;
        q.high = 150;
        q.low = 50;
        q.close = 120 + static_cast<float>(i % 7);
        q.volume = 1000 + static_cast<float>(i * 13 % 29);
        bars.push_back(q);
    }
    return bars;
}
} // namespace

TEST_F(ElementTrackerTest, PricePaneFallsBackToTheSeriesWhichIsSelectedButNotDragged) {
    CStock stock(86400);
    stock.RestoreSeries(TrackerBars(100), TrackerBars(100));
    CRecordingDC dc;
    stock.Draw(dc, 256, 0, 0, 100, kMapping.plot);
    tracker.SetSeries(&stock, 0);

    EXPECT_EQ(tracker.Hover(92, 100), 0); // above the highs
    EXPECT_EQ(tracker.Hot(), nullptr);
    EXPECT_EQ(tracker.Hover(92, 150), CSymbol::kHitPriceSeries);
    EXPECT_EQ(tracker.Hot(), &stock);
    EXPECT_EQ(tracker.MouseDown(92, 150, kMapping), CElementTracker::kSelected);
    EXPECT_EQ(tracker.Selected(), &stock);
    EXPECT_TRUE(stock.IsSelected());
    EXPECT_EQ(stock.tracking, 0);
    EXPECT_FALSE(tracker.MouseMove(200, 200, kMapping));
    EXPECT_EQ(stock.tracking, 0);
    tracker.MouseUp(200, 200, kMapping);
    // The series can't be deleted.
    EXPECT_FALSE(tracker.RemoveSelected());
    EXPECT_EQ(tracker.Selected(), &stock);

    // A drawing over the bars is hit first.
    CSymbol* line = Place(CLine::kTypeCode, 80, 150, 120, 150);
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(stock.IsSelected());
    tracker.MouseDown(300, 50, kMapping); // a miss clears the selection
    tracker.MouseUp(300, 50, kMapping);
    EXPECT_EQ(tracker.Hover(100, 150), 1);
    EXPECT_EQ(tracker.Hot(), line);

    // Outside the price pane the series is not hit.
    tracker.SetSeries(&stock, 1);
    EXPECT_EQ(tracker.Hover(92, 200), 0);
    EXPECT_EQ(tracker.Hot(), nullptr);
}

TEST_F(ElementTrackerTest, CurveIsSelectedByAClickButNotDraggedAndRightScaleCurvesAreHitToo) {
    auto curve = std::make_unique<CCurve>();
    curve->values.assign(100, 200.0f); // row 76
    CCurve* right = curve.get();
    pane.AddCurve(std::move(curve));
    auto second = std::make_unique<CCurve>();
    second->values.assign(100, 56.0f); // row 220
    CCurve* left = second.get();
    pane.AddSecondCurve(std::move(second));
    CRecordingDC dc;
    for (CCurve* c : {right, left}) c->Draw(dc, 256, 0, 0, 100, kMapping.plot);

    EXPECT_EQ(tracker.Hover(200, 77), CSymbol::kHitCurve);
    EXPECT_EQ(tracker.Hot(), right);
    EXPECT_EQ(tracker.Hover(200, 220), CSymbol::kHitCurve);
    EXPECT_EQ(tracker.Hot(), left);
    EXPECT_EQ(tracker.MouseDown(200, 220, kMapping), CElementTracker::kSelected);
    EXPECT_EQ(tracker.Selected(), left);
    EXPECT_FALSE(tracker.MouseMove(200, 100, kMapping));
    EXPECT_EQ(left->tracking, 0);
    EXPECT_EQ(left->values, std::vector<float>(100, 56.0f));
    tracker.MouseUp(200, 100, kMapping);
    // Built by no indicator entry, it has nothing to be removed with.
    EXPECT_FALSE(tracker.RemoveSelected());
    EXPECT_EQ(pane.SecondCurves().size(), 1u);
}

TEST_F(ElementTrackerTest, DeletingACurveRemovesTheIndicatorEntryThatBuiltIt) {
    CStock stock(86400);
    stock.RestoreSeries(TrackerBars(100), TrackerBars(100));
    stock.RestoreWindow(0, 100);
    ASSERT_TRUE(BuildIndicator(stock, "VOL", 1, false, true));
    const std::size_t volCurves = CStockPanes::Of(stock)->Pane(1)->Curves().size();
    ASSERT_TRUE(BuildIndicator(stock, "MACD", 1, true, true));
    CTCurve& built = *CStockPanes::Of(stock)->Pane(1);
    ASSERT_GT(built.Curves().size(), volCurves);
    tracker.SetPane(&built);
    tracker.SetSeries(&stock, 1);

    // The last curve is the top one; draw every curve over the range of its values.
    CCurve& top = *built.Curves().back();
    float max = -1e30f, min = 1e30f;
    for (float v : top.values)
        if (std::isfinite(v)) max = std::max(max, v), min = std::min(min, v);
    ASSERT_LT(min, max);
    CRecordingDC dc;
    for (const auto& c : built.Curves()) c->Draw(dc, max, min, 0, 100, kMapping.plot);
    const SPoint on = top.PointOf(80, top.values[80]);
    EXPECT_EQ(tracker.Hover(on.x, on.y), CSymbol::kHitCurve);
    ASSERT_EQ(tracker.Hot(), &top);
    EXPECT_EQ(tracker.MouseDown(on.x, on.y, kMapping), CElementTracker::kSelected);
    tracker.MouseUp(on.x, on.y, kMapping);

    EXPECT_TRUE(tracker.RemoveSelected());
    EXPECT_EQ(tracker.Selected(), nullptr);
    EXPECT_EQ(stock.ViewPar(1).identifiers, std::vector<std::string>{"VOL"});
    ASSERT_EQ(built.Curves().size(), volCurves);
    for (const auto& c : built.Curves()) EXPECT_EQ(c->entryIndex, 0);
}
