#include "ViewTestSupport.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CIniReader.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include "view/CElementTracker.h"
#include "view/CPaneInput.h"
#include "view/CViewList.h"
#include "view/CZentriStockView.h"
#include "view/PaneTexts.h"

namespace {

using EKey = CPaneInput::EKey;
using EOpen = SInputResult::EOpen;

// An element whose hit test gives a fixed code, for the cursor of every code.
class CFixedHit : public CSymbol {
public:
    explicit CFixedHit(int code) : m_code(code) {}
    int HitTest(int, int) override { return hitState = m_code; }

private:
    int m_code;
};

// A price pane of 852 x 462 pixels: the plot runs from (8, 39) to (808, 439), 800 pixels for
// the window's bars and 400 for the values; the date strip is under it, the value strip right
// of it.
class PaneInputTest : public ViewTest {
protected:
    void Chart(int bars, int first, int end, float low = 10, float high = 60) {
        document = std::make_unique<CZentriStockDoc>(*context);
        document->NewDocument();
        CStock& s = document->Stock();
        s.RestoreSeries(Bars(bars, low, high), Bars(bars, low, high));
        settings = std::make_unique<CIniReader>(home + "setup.ini");
        view = std::make_unique<CZentriStockView>(*document, 0, *settings);
        view->SetViewList(&list);
        view->SetClientSize(852, 462);
        view->layoutValid = true; // the window below stays; no fit to the last bars
        s.RestoreWindow(first, end);
        s.ComputeVisibleRange();
        view->Layout();
        tracker = std::make_unique<CElementTracker>();
        input = std::make_unique<CPaneInput>(*view, *tracker);
    }
    CStock& S() { return document->Stock(); }
    CTCurve& Pane() { return *view->Pane(); }
    void Draw() {
        CRecordingDC dc;
        view->OnDraw(dc);
    }
    // A trend line from (bar 20, 20) to (bar 60, 40), drawn, not selected.
    CLine& AddLine() {
        auto line = std::make_unique<CLine>();
        line->x1 = 20;
        line->y1 = 20;
        line->x2 = 60;
        line->y2 = 40;
        CLine& placed = *line;
        Pane().AddElement(std::move(line));
        Draw();
        return placed;
    }
    void Click(int x, int y) {
        input->Move(x, y, false, false);
        input->Press(x, y);
        input->Release(x, y);
    }

    std::unique_ptr<CZentriStockDoc> document;
    std::unique_ptr<CIniReader> settings;
    CViewList list;
    std::unique_ptr<CZentriStockView> view;
    std::unique_ptr<CElementTracker> tracker;
    std::unique_ptr<CPaneInput> input;
};

TEST_F(PaneInputTest, ArrowKeysShiftTheWindowAndUpStopsAtTenBars) {
    const struct {
        EKey key;
        bool ctrl, floating;
        int first, end, wantFirst, wantEnd;
    } cases[] = {
        {EKey::Right, false, true, 400, 500, 401, 501},
        {EKey::Left, false, true, 400, 500, 399, 499},
        {EKey::Up, false, true, 400, 500, 401, 500},
        {EKey::Down, false, true, 400, 500, 399, 501},
        {EKey::Up, false, true, 400, 410, 400, 410}, // exactly ten bars: no zoom
        {EKey::Up, false, true, 400, 411, 401, 411},
        // At the end of the series the floating window runs past the last bar.
        {EKey::Right, false, true, 900, 1000, 901, 1001},
        {EKey::Right, false, false, 900, 1000, 901, 1000},
        {EKey::Down, false, true, 900, 1000, 899, 1001},
        {EKey::Down, false, false, 900, 1000, 899, 1000},
        // With Ctrl the arrows are menu commands, not keys of the pane.
        {EKey::Right, true, true, 400, 500, 400, 500},
    };
    for (const auto& c : cases) {
        Chart(1000, c.first, c.end);
        document->SetCurveFloating(c.floating);
        view->SetManualYScale(80, 0);
        const SInputResult r = input->Key(c.key, "", c.ctrl);
        EXPECT_EQ(S().SavedFirst(), c.wantFirst) << static_cast<int>(c.key) << " " << c.first;
        EXPECT_EQ(S().SavedEnd(), c.wantEnd) << static_cast<int>(c.key) << " " << c.first;
        EXPECT_EQ(view->manualYScale, c.ctrl) << static_cast<int>(c.key);
        EXPECT_TRUE(r.redrawAll);
        EXPECT_FALSE(r.symbolKey);
    }
}

TEST_F(PaneInputTest, LettersDigitsAndCaretGoToQuickEntry) {
    const struct {
        const char* text;
        bool ctrl, symbol;
        char typed;
    } cases[] = {
        {"I", false, true, 'I'},       {"a", false, true, 'a'}, {"7", false, true, '7'},
        {"^", false, true, '^'},       {"I", true, false, 0},   {"-", false, false, 0},
        {"\xc3\xa9", false, false, 0}, {"", false, false, 0},   {"ab", false, false, 0},
    };
    Chart(100, 0, 100);
    for (const auto& c : cases) {
        const SInputResult r = input->Key(EKey::Other, c.text, c.ctrl);
        EXPECT_EQ(r.symbolKey, c.symbol) << c.text;
        EXPECT_EQ(r.typed, c.typed) << c.text;
        EXPECT_TRUE(r.redrawAll);
    }
    EXPECT_EQ(S().SavedFirst(), 0);
    EXPECT_EQ(S().SavedEnd(), 100);
}

TEST_F(PaneInputTest, WheelFollowsTheTableWithTheFloatingOption) {
    // Window on all 100 bars: a floating window may run past either end, a fixed one not.
    const struct {
        int delta;
        bool shift, ctrl, floating;
        int first, end;
    } cases[] = {
        {-120, false, false, true, 1, 101}, {-120, false, false, false, 1, 100},
        {120, false, false, true, -1, 99},  {120, false, false, false, 0, 99},
        {-120, true, false, true, 1, 100},  {-120, true, false, false, 1, 100},
        {120, true, false, true, -1, 100},  {120, true, false, false, 0, 100},
        {-120, false, true, true, 5, 105},  {-120, false, true, false, 5, 100},
        {120, false, true, true, -5, 95},   {120, false, true, false, 0, 95},
    };
    for (const auto& c : cases) {
        Chart(100, 0, 100);
        document->SetCurveFloating(c.floating);
        view->SetManualYScale(80, 0);
        const int redraws = list.RedrawRequests();
        const SInputResult r = input->Wheel(c.delta, 400, 200, c.shift, c.ctrl);
        const std::string row = std::to_string(c.delta) + (c.shift ? " shift" : "") +
                                (c.ctrl ? " ctrl" : "") + (c.floating ? " floating" : "");
        EXPECT_EQ(S().SavedFirst(), c.first) << row;
        EXPECT_EQ(S().SavedEnd(), c.end) << row;
        EXPECT_FALSE(view->manualYScale) << row;
        EXPECT_TRUE(r.redrawAll) << row;
        EXPECT_EQ(list.RedrawRequests(), redraws + 1) << row;
    }
}

TEST_F(PaneInputTest, SmallWheelDeltasAddUpToWholeNotches) {
    Chart(1000, 400, 500);
    for (int i = 1; i <= 7; ++i) EXPECT_FALSE(input->Wheel(15, 400, 200, false, false).redrawAll);
    EXPECT_EQ(S().SavedFirst(), 400);
    EXPECT_TRUE(input->Wheel(15, 400, 200, false, false).redrawAll);
    EXPECT_EQ(S().SavedFirst(), 399);
    EXPECT_EQ(S().SavedEnd(), 499);
    // Turning back first uses up what is left over, then moves the other way.
    for (int i = 1; i <= 7; ++i) input->Wheel(-15, 400, 200, false, false);
    EXPECT_EQ(S().SavedFirst(), 399);
    input->Wheel(-15, 400, 200, false, false);
    EXPECT_EQ(S().SavedFirst(), 400);
    // Two notches at once move twice.
    input->Wheel(240, 400, 200, false, false);
    EXPECT_EQ(S().SavedFirst(), 398);
}

TEST_F(PaneInputTest, MovesWithinOneBarAnnounceItOnce) {
    // 100 bars over 800 pixels: bar 10 is x 88 to 95.
    Chart(100, 0, 100);
    const struct {
        int x, y;
        bool entered;
        int bar;
        const char* value;
        const char* date;
    } moves[] = {
        {88, 239, true, 10, "35.00", "11-Jan-24"},
        {90, 239, false, -1, "35.00", "11-Jan-24"},
        {95, 439 - 40, false, -1, "15.00", "11-Jan-24"},
        {96, 239, true, 11, "35.00", "12-Jan-24"},
        {96, 450, false, -1, "", ""}, // in the date strip: outside the plot
        {88, 239, true, 10, "35.00", "11-Jan-24"},
    };
    for (const auto& m : moves) {
        const SInputResult r = input->Move(m.x, m.y, false, false);
        EXPECT_EQ(r.barEntered, m.entered) << m.x << "," << m.y;
        EXPECT_EQ(r.bar, m.bar) << m.x << "," << m.y;
        EXPECT_TRUE(r.readOut);
        EXPECT_EQ(r.statusValue, m.value) << m.x << "," << m.y;
        EXPECT_EQ(r.statusDate, m.date) << m.x << "," << m.y;
    }
    // Leaving the pane forgets the bar: coming back on it announces it again.
    input->Leave();
    EXPECT_TRUE(input->Move(88, 239, false, false).barEntered);
}

TEST_F(PaneInputTest, SlotsPastTheSeriesShowTheValueButNoDate) {
    Chart(50, 0, 100);
    const SInputResult r = input->Move(8 + 8 * 60, 239, false, false);
    EXPECT_TRUE(r.barEntered);
    EXPECT_EQ(r.bar, 60);
    EXPECT_EQ(r.statusValue, "35.00");
    EXPECT_EQ(r.statusDate, "");
}

TEST_F(PaneInputTest, ValueAxisDragMovesTheTopOrWithCtrlTheBottom) {
    const struct {
        bool ctrl;
        int toY;
        float max, min;
    } cases[] = {
        {false, 210, 65, 10}, // 10 px down x range 50 x 1 %
        {false, 190, 55, 10}, // up lowers the top
        {true, 210, 60, 15},  // Ctrl moves the bottom by the same amount
        {true, 190, 60, 5},
        {false, -100, 10.5f, 10}, // past the bottom: stops at 1 % of the range
        {true, 500, 60, 59.5f},
    };
    for (const auto& c : cases) {
        Chart(100, 0, 100);
        ASSERT_FLOAT_EQ(view->yRange, 50);
        const SInputResult down = input->Press(818, 200);
        EXPECT_EQ(input->Origin(), CPaneInput::EOrigin::ValueStrip);
        EXPECT_EQ(down.cursor, ECursor::ValueAxis);
        const SInputResult r = input->Move(818, c.toY, true, c.ctrl);
        EXPECT_FLOAT_EQ(view->yMax, c.max) << c.toY << c.ctrl;
        EXPECT_FLOAT_EQ(view->yMin, c.min) << c.toY << c.ctrl;
        EXPECT_FLOAT_EQ(view->yRange, c.max - c.min) << c.toY << c.ctrl;
        EXPECT_TRUE(view->manualYScale);
        EXPECT_TRUE(r.redrawPane);
        EXPECT_FALSE(r.redrawAll);
        EXPECT_EQ(r.cursor, ECursor::ValueAxis);
        EXPECT_EQ(input->DownY(), c.toY);
    }
}

TEST_F(PaneInputTest, ValueAxisDragStepsFromTheLastPointWithTheNewRange) {
    Chart(100, 0, 100);
    input->Press(818, 200);
    input->Move(818, 210, true, false);
    input->Move(818, 220, true, false); // 10 px x 55 x 1 %
    EXPECT_FLOAT_EQ(view->yMax, 70.5f);
    input->Release(818, 220);
    // The manual scale survives the next layout.
    view->Layout();
    EXPECT_FLOAT_EQ(view->yMax, 70.5f);
    EXPECT_FALSE(input->Dragging());
}

TEST_F(PaneInputTest, DateAxisDragShiftsTheWindowBySlots) {
    // 100 bars over 800 pixels: 8 pixels a slot; the grabbed date follows the mouse.
    const struct { int toX, first; } cases[] = {{424, 397}, {376, 403}, {407, 400}, {408, 399}};
    for (const auto& c : cases) {
        Chart(1000, 400, 500);
        view->SetManualYScale(80, 0);
        input->Press(400, 445);
        EXPECT_EQ(input->Origin(), CPaneInput::EOrigin::DateStrip);
        const int redraws = list.RedrawRequests();
        const SInputResult r = input->Move(c.toX, 445, true, false);
        EXPECT_EQ(S().SavedFirst(), c.first) << c.toX;
        EXPECT_EQ(S().SavedEnd(), c.first + 100) << c.toX;
        const bool shifted = c.first != 400;
        EXPECT_EQ(r.redrawAll, shifted) << c.toX;
        EXPECT_EQ(view->manualYScale, !shifted) << c.toX;
        EXPECT_EQ(list.RedrawRequests(), redraws + (shifted ? 1 : 0)) << c.toX;
        EXPECT_EQ(r.cursor, ECursor::DateAxis);
    }
}

TEST_F(PaneInputTest, SlowDateAxisDragsCarryTheRemainder) {
    Chart(1000, 400, 500);
    input->Press(400, 445);
    for (int px = 1; px <= 24; ++px) {
        input->Move(400 + px, 445, true, false);
        EXPECT_EQ(S().SavedFirst(), 400 - px / 8) << px;
    }
    // Back the other way by 12 pixels: one and a half slots.
    for (int px = 1; px <= 12; ++px) input->Move(424 - px, 445, true, false);
    EXPECT_EQ(S().SavedFirst(), 398);
    // The drag goes on outside the strip and keeps its cursor.
    EXPECT_EQ(input->Move(412, 200, true, false).cursor, ECursor::DateAxis);
    EXPECT_EQ(S().SavedFirst(), 398);
    input->Release(412, 200);
    EXPECT_EQ(input->CursorAt(412, 200), ECursor::Chart);
}

TEST_F(PaneInputTest, TwoAnchorToolsReleasedOnTheSpotAreRemoved) {
    const struct {
        int code, dx, dy;
        bool stays;
    } cases[] = {
        {CLine::kTypeCode, 2, 2, false},
        {CLine::kTypeCode, 3, 0, true},
        {CLine::kTypeCode, 0, -3, true},
        {CLine::kTypeCode, 0, 0, false},
        {CRectangle::kTypeCode, -2, 1, false},
        {CRectangle::kTypeCode, 40, 40, true},
        {19, 0, 0, true},
        {28, 1, 0, true},
        {30, 0, 0, true},
        {51, 0, 0, true},
        {90, 2, 2, true},
    };
    for (const auto& c : cases) {
        Chart(100, 0, 100);
        tracker->Arm(c.code);
        const SInputResult down = input->Press(200, 200);
        EXPECT_EQ(down.textPlaced, c.code == 30) << c.code;
        ASSERT_EQ(Pane().Elements().size(), 1u) << c.code;
        input->Move(200 + c.dx, 200 + c.dy, true, false);
        const SInputResult up = input->Release(200 + c.dx, 200 + c.dy);
        EXPECT_EQ(Pane().Elements().size(), c.stays ? 1u : 0u) << c.code << " " << c.dx;
        EXPECT_EQ(tracker->Selected() != nullptr, c.stays) << c.code;
        EXPECT_EQ(tracker->ArmedTool(), 0) << c.code;
        EXPECT_TRUE(up.redrawAll);
    }
}

TEST_F(PaneInputTest, EscapeDuringADragPutsTheElementBack) {
    const struct { bool onHandle; } cases[] = {{false}, {true}};
    for (const auto& c : cases) {
        Chart(100, 0, 100);
        CLine& line = AddLine();
        const SPoint body = line.PointOf(40, 30);
        Click(body.x, body.y); // selects it
        Draw();
        ASSERT_TRUE(line.IsSelected());
        const SPoint from = c.onHandle ? line.PointOf(20, 20) : body;
        input->Move(from.x, from.y, false, false);
        input->Press(from.x, from.y);
        EXPECT_TRUE(line.tracking);
        input->Move(from.x + 40, from.y - 40, true, false);
        input->Move(from.x + 80, from.y - 60, true, false);
        ASSERT_NE(line.x1, 20.0f);
        const SInputResult r = input->Key(EKey::Escape, "", false);
        EXPECT_FLOAT_EQ(line.x1, 20) << c.onHandle;
        EXPECT_FLOAT_EQ(line.y1, 20) << c.onHandle;
        EXPECT_FLOAT_EQ(line.x2, 60) << c.onHandle;
        EXPECT_FLOAT_EQ(line.y2, 40) << c.onHandle;
        EXPECT_FALSE(line.tracking);
        EXPECT_TRUE(line.IsSelected());
        EXPECT_EQ(tracker->Selected(), &line);
        EXPECT_FALSE(input->Dragging());
        EXPECT_FALSE(tracker->ButtonDown());
        EXPECT_TRUE(r.redrawAll);
        // The release that follows changes nothing.
        input->Release(from.x + 80, from.y - 60);
        EXPECT_FLOAT_EQ(line.x1, 20);
    }
}

TEST_F(PaneInputTest, EscapeDisarmsCancelsAPlacementAndUndoesAnAxisDrag) {
    Chart(100, 0, 100);
    tracker->Arm(CLine::kTypeCode);
    input->Key(EKey::Escape, "", false);
    EXPECT_EQ(tracker->ArmedTool(), 0);

    tracker->Arm(CLine::kTypeCode);
    input->Press(200, 200);
    input->Move(260, 150, true, false);
    ASSERT_EQ(Pane().Elements().size(), 1u);
    input->Key(EKey::Escape, "", false);
    EXPECT_TRUE(Pane().Elements().empty());
    EXPECT_EQ(tracker->ArmedTool(), 0);

    input->Press(818, 200);
    input->Move(818, 240, true, false);
    ASSERT_FLOAT_EQ(view->yMax, 80);
    input->Key(EKey::Escape, "", false);
    EXPECT_FLOAT_EQ(view->yMax, 60);
    EXPECT_FLOAT_EQ(view->yMin, 10);
    EXPECT_FALSE(view->manualYScale);

    Chart(1000, 400, 500);
    input->Press(400, 445);
    input->Move(440, 445, true, false);
    ASSERT_EQ(S().SavedFirst(), 395);
    input->Key(EKey::Escape, "", false);
    EXPECT_EQ(S().SavedFirst(), 400);
    EXPECT_EQ(S().SavedEnd(), 500);
}

TEST_F(PaneInputTest, DragOnTheBodyMovesBothEndsOnAHandleOnlyThatEnd) {
    Chart(100, 0, 100);
    CLine& line = AddLine();
    const SPoint body = line.PointOf(40, 30);
    Click(body.x, body.y);
    Draw();
    // 16 pixels right are two bars; 80 pixels up are ten.
    input->Move(body.x, body.y, false, false);
    input->Press(body.x, body.y);
    EXPECT_TRUE(input->Move(body.x + 16, body.y - 80, true, false).redrawPane);
    input->Release(body.x + 16, body.y - 80);
    EXPECT_FLOAT_EQ(line.x1, 22);
    EXPECT_FLOAT_EQ(line.y1, 30);
    EXPECT_FLOAT_EQ(line.x2, 62);
    EXPECT_FLOAT_EQ(line.y2, 50);
    Draw();
    const SPoint end = line.PointOf(62, 50);
    input->Move(end.x, end.y, false, false);
    input->Press(end.x, end.y);
    input->Move(end.x + 16, end.y + 80, true, false);
    input->Release(end.x + 16, end.y + 80);
    EXPECT_FLOAT_EQ(line.x1, 22);
    EXPECT_FLOAT_EQ(line.y1, 30);
    EXPECT_NEAR(line.x2, 64, 0.2f);
    EXPECT_NEAR(line.y2, 40, 0.2f);
}

TEST_F(PaneInputTest, DeleteRemovesTheSelectedElement) {
    Chart(100, 0, 100);
    CLine& line = AddLine();
    const SPoint body = line.PointOf(40, 30);
    Click(body.x, body.y);
    ASSERT_EQ(tracker->Selected(), &line);
    EXPECT_TRUE(input->Key(EKey::Delete, "", false).redrawAll);
    EXPECT_TRUE(Pane().Elements().empty());
    EXPECT_EQ(tracker->Selected(), nullptr);
    // Nothing selected: nothing to delete, nothing breaks.
    input->Key(EKey::Delete, "", false);
}

TEST_F(PaneInputTest, DoubleClicksOpenTheDialogOfWhatIsUnderTheMouse) {
    Chart(100, 0, 100);
    CLine& line = AddLine();
    const SPoint body = line.PointOf(40, 30);
    Click(body.x, body.y);
    Draw();
    const struct {
        int x, y;
        EOpen open;
    } cases[] = {
        {body.x, body.y, EOpen::Properties},
        {400, 445, EOpen::WindowSettings},
        {818, 200, EOpen::YScale},
        {400, 100, EOpen::None},
        {2, 2, EOpen::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(input->DoubleClick(c.x, c.y).open, c.open) << c.x << "," << c.y;
    // An element removed while selected counts as not selected.
    Pane().RemoveElement(&line);
    EXPECT_EQ(input->DoubleClick(body.x, body.y).open, EOpen::None);
}

TEST_F(PaneInputTest, CursorFollowsTheHitCode) {
    const struct {
        int code;
        float y1, y2;
        ECursor cursor;
    } cases[] = {
        {0, 0, 0, ECursor::Chart},        {1, 0, 0, ECursor::PointElement},
        {2, 0, 0, ECursor::Move},         {3, 0, 0, ECursor::EndPoint},
        {4, 0, 0, ECursor::EndPoint},     {5, 10, 20, ECursor::CornerNwse},
        {6, 10, 20, ECursor::CornerNwse}, {5, 20, 10, ECursor::CornerNesw},
        {6, 20, 10, ECursor::CornerNesw}, {7, 0, 0, ECursor::PriceSeries},
        {8, 0, 0, ECursor::Curve},
    };
    for (const auto& c : cases) {
        Chart(100, 0, 100);
        auto element = std::make_unique<CFixedHit>(c.code);
        element->x1 = 10;
        element->x2 = 30;
        element->y1 = c.y1;
        element->y2 = c.y2;
        CFixedHit* hit = element.get();
        Pane().AddElement(std::move(element));
        EXPECT_EQ(input->CursorAt(400, 200), c.cursor) << c.code;
        EXPECT_EQ(input->Move(400, 200, false, false).cursor, c.cursor) << c.code;
        EXPECT_EQ(tracker->Hot(), c.code ? hit : nullptr) << c.code;
        // The axis strips keep their cursors over any element; an armed tool draws.
        EXPECT_EQ(input->CursorAt(400, 445), ECursor::DateAxis);
        EXPECT_EQ(input->CursorAt(818, 200), ECursor::ValueAxis);
        tracker->Arm(CLine::kTypeCode);
        EXPECT_EQ(input->CursorAt(400, 200), ECursor::Draw);
        EXPECT_EQ(input->CursorAt(2, 2), ECursor::Chart);
    }
}

} // namespace

namespace {
TEST_F(PaneInputTest, ElementsRemovedDuringADragAreLeftAlone) {
    Chart(100, 0, 100);
    CLine& line = AddLine();
    const SPoint body = line.PointOf(40, 30);
    Click(body.x, body.y);
    Draw();
    input->Move(body.x, body.y, false, false);
    input->Press(body.x, body.y);
    input->Move(body.x + 16, body.y, true, false);
    document->DeleteAllSymbols();
    ASSERT_TRUE(Pane().Elements().empty());
    EXPECT_FALSE(input->Move(body.x + 32, body.y, true, false).redrawPane);
    EXPECT_EQ(input->CursorAt(body.x + 32, body.y), ECursor::Chart);
    EXPECT_EQ(input->DoubleClick(body.x + 32, body.y).open, EOpen::None);
    input->Key(EKey::Escape, "", false);
    EXPECT_FALSE(input->Dragging());
    EXPECT_EQ(tracker->Selected(), nullptr);
    input->Release(body.x + 32, body.y);
    input->Key(EKey::Delete, "", false);
}

TEST_F(PaneInputTest, AReleaseElsewhereEndsTheDragAtTheNextMove) {
    Chart(1000, 400, 500);
    input->Press(400, 445);
    const SInputResult r = input->Move(424, 445, false, false);
    EXPECT_FALSE(input->Dragging());
    EXPECT_EQ(S().SavedFirst(), 400);
    EXPECT_TRUE(r.redrawAll);
    EXPECT_EQ(r.cursor, ECursor::DateAxis); // still over the strip
    EXPECT_FALSE(tracker->ButtonDown());
}
} // namespace

namespace {

TEST_F(PaneInputTest, ALinePlacedOnALogPaneKeepsItsPricesWhenTheScaleGoesBack) {
    Chart(100, 0, 100, 1, 1000);
    S().ViewPar(0).SetLogScale(true);
    view->Layout();
    ASSERT_TRUE(view->logScale);
    tracker->Arm(CLine::kTypeCode);
    input->Press(200, 239);
    input->Move(400, 139, true, false);
    input->Release(400, 139);
    ASSERT_EQ(Pane().Elements().size(), 1u);
    auto& line = static_cast<CLine&>(*Pane().Elements().front());
    // Rows 239 and 139 of a plot from 1 (row 439) to 1000 (row 39): 10^1.5 and 10^2.25.
    EXPECT_FLOAT_EQ(line.y1, 31.622776f);
    EXPECT_FLOAT_EQ(line.y2, 177.82794f);
    Draw();
    EXPECT_EQ(line.PointOf(line.x1, line.y1).y, 239);
    EXPECT_EQ(line.PointOf(line.x2, line.y2).y, 139);
    const int hit = line.HitTest(300, 189);
    EXPECT_NE(hit, 0);

    S().ViewPar(0).SetLogScale(false);
    Draw();
    EXPECT_FALSE(view->logScale);
    EXPECT_FLOAT_EQ(line.y1, 31.622776f);
    EXPECT_FLOAT_EQ(line.y2, 177.82794f);
    // The same prices on the linear scale of 1 to 1000.
    EXPECT_EQ(line.PointOf(line.x1, line.y1).y, 426);
    EXPECT_EQ(line.PointOf(line.x2, line.y2).y, 368);
    S().ViewPar(0).SetLogScale(true);
    Draw();
    EXPECT_EQ(line.PointOf(line.x2, line.y2).y, 139);
}

} // namespace
