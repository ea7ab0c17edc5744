#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CTCurve.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include "tools/CText.h"
#include "view/CElementTracker.h"
#include <gtest/gtest.h>

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
