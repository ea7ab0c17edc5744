#include "ViewTestSupport.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CIniReader.h"
#include "view/AxisLabel.h"
#include "view/CZentriStockView.h"
#include <fstream>
#include <limits>
#include <sstream>

namespace {

class ViewGeometryTest : public ViewTest {
protected:
    CZentriStockView& MakeView(int pane, int width, int height) {
        view = std::make_unique<CZentriStockView>(*stock, pane,
                                                  CZentriStockView::DefaultAxisSettings());
        view->SetClientSize(width, height);
        return *view;
    }
    static std::vector<CRecordingDC::SOp> LinesFrom(const CRecordingDC& dc, int x1) {
        std::vector<CRecordingDC::SOp> out;
        for (const auto& op : dc.OpsOf(CRecordingDC::kLine))
            if (op.points[0].x == x1) out.push_back(op);
        return out;
    }
    std::unique_ptr<CZentriStockView> view;
};

TEST_F(ViewGeometryTest, PricePaneLaysOutPlotAndStrips) {
    MakeStock(Bars(100, 12.34f, 17.34f));
    CZentriStockView& v = MakeView(0, 800, 462);
    v.Layout();
    EXPECT_EQ(v.plotRect, (CRect{8, 39, 756, 439}));
    EXPECT_EQ(v.xAxisStrip, (CRect{8, 439, 756, 459}));
    EXPECT_EQ(v.yAxisStrip, (CRect{756, 39, 776, 439}));
    EXPECT_TRUE(v.showXAxis);
    // An indicator pane without the date axis keeps only the margin below.
    CZentriStockView& lower = MakeView(1, 800, 200);
    lower.Layout();
    EXPECT_EQ(lower.plotRect, (CRect{8, 39, 756, 192}));
    // A client below 80 pixels is laid out as 80 wide and high.
    CZentriStockView& tiny = MakeView(1, 20, 20);
    tiny.Layout();
    EXPECT_EQ(tiny.plotRect, (CRect{8, 39, 36, 72}));
}

TEST_F(ViewGeometryTest, YTicksStartAtTheBottomValueWhenItsFractionIsBelowHalf) {
    CStock& s = MakeStock(Bars(100, 12.34f, 17.34f));
    s.ViewPar(0).cellMaxY = 80;
    CZentriStockView& v = MakeView(0, 800, 462);
    CRecordingDC dc;
    v.OnDraw(dc);
    ASSERT_EQ(v.yTicks.count, 5);
    const float values[] = {12.34f, 13.34f, 14.34f, 15.34f, 16.34f};
    // The first tick, formed as 1.234 x 10, lies a hair above the bottom value.
    const int rows[] = {438, 358, 278, 198, 119};
    std::vector<std::string> labels;
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(v.yTicks.values[i], values[i]) << i;
        EXPECT_EQ(v.yTicks.positions[i], rows[i]) << i;
    }
    // Major marks of 6 pixels right of the plot, four minor marks of 3 between ticks.
    const auto marks = LinesFrom(dc, 756);
    int major = 0, minor = 0;
    for (const auto& op : marks) {
        if (op.points[1].x == 762) ++major;
        if (op.points[1].x == 759) ++minor;
    }
    EXPECT_EQ(major, 5);
    EXPECT_EQ(minor, 20);
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    int found = 0;
    for (const auto& t : texts)
        if (t.points[0].x == 763) {
            EXPECT_EQ(t.text, std::to_string(12 + found) + ".34");
            EXPECT_EQ(t.points[0].y, v.yTicks.positions[found] - 7);
            ++found;
        }
    EXPECT_EQ(found, 5);

    s.RestoreSeries(Bars(100, 12.64f, 17.64f), Bars(100, 12.64f, 17.64f));
    s.ComputeVisibleRange();
    v.OnDraw(dc);
    EXPECT_FLOAT_EQ(v.yTicks.values[0], 13.0f);
}

TEST_F(ViewGeometryTest, XTicksLabelEveryKthBarFromSevenTenthsOfAStep) {
    MakeStock(Bars(100, 1, 2));
    CZentriStockView& v = MakeView(0, 800, 462);
    CRecordingDC dc;
    v.OnDraw(dc);
    ASSERT_EQ(v.xTicks.count, 11);
    for (int i = 0; i < 11; ++i) {
        const int bar = 6 + 9 * i;
        EXPECT_EQ(v.xTicks.values[i], bar);
        EXPECT_EQ(v.xTicks.positions[i], v.BarToX(static_cast<float>(bar)));
    }
    EXPECT_EQ(v.xTicks.positions[0], 56);
    EXPECT_EQ(v.BarToX(0), 11);
    EXPECT_EQ(v.XToBar(56), 6);
    // A 6-pixel mark at each label and a 3-pixel mark at every bar, below the plot.
    int major = 0, minor = 0;
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) {
        if (op.points[0].y != 439 || op.points[0].x != op.points[1].x) continue;
        if (op.points[1].y == 445) ++major;
        if (op.points[1].y == 442) ++minor;
    }
    EXPECT_EQ(major, 11);
    EXPECT_EQ(minor, 100);
}

TEST_F(ViewGeometryTest, NarrowPanesEndTheirTickSearchAndKeepOneDateLabel) {
    CStock& s = MakeStock(Bars(100, 1, 2));
    CZentriStockView& v = MakeView(0, 100, 300);
    CRecordingDC dc;
    v.OnDraw(dc);
    EXPECT_EQ(v.plotRect.Width(), 48);
    EXPECT_EQ(v.xTicks.count, 1);
    // A label column wider than the client leaves no plot width: no x ticks at all.
    s.ViewPar(0).axisFont.lfWidth = 40;
    v.OnDraw(dc);
    EXPECT_LT(v.plotRect.Width(), 1);
    EXPECT_EQ(v.xTicks.count, 0);
}

TEST_F(ViewGeometryTest, FlatSeriesHasNoYTicksAndMapsToTheMiddle) {
    CStock& s = MakeStock(Bars(20, 50, 50));
    CZentriStockView& v = MakeView(0, 800, 462);
    CRecordingDC dc;
    v.OnDraw(dc);
    EXPECT_EQ(v.yRange, 0.0f);
    EXPECT_EQ(v.yTicks.count, 0);
    EXPECT_EQ(v.ValueToY(50), 239);
    EXPECT_EQ(v.ValueToY(50.5f), 39);
    EXPECT_FLOAT_EQ(v.YToValue(39), 50.5f);
    // At zero the range is widened by one either way.
    s.RestoreSeries(Bars(20, 0, 0), Bars(20, 0, 0));
    s.ComputeVisibleRange();
    v.OnDraw(dc);
    EXPECT_EQ(v.ValueToY(1), 39);
    // A horizontal grid line spans the plot; a flat pane has none.
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine))
        EXPECT_FALSE(op.pen.style == kPenDot && op.points[0].y == op.points[1].y);
}

TEST_F(ViewGeometryTest, NonFiniteValuesMapToBoundedPixels) {
    MakeStock(Bars(20, 1, 2));
    CZentriStockView& v = MakeView(0, 800, 462);
    v.Layout();
    EXPECT_EQ(v.ValueToY(std::numeric_limits<float>::infinity()), -1000000);
    EXPECT_EQ(v.ValueToY(-std::numeric_limits<float>::infinity()), 1000000);
    EXPECT_EQ(v.ValueToY(std::nanf("")), v.plotRect.bottom);
}

TEST_F(ViewGeometryTest, ExpandAndShrinkMoveBothEndsByAFifthOfTheRange) {
    MakeStock(Bars(20, 100, 200));
    CZentriStockView& v = MakeView(0, 800, 462);
    v.Layout();
    EXPECT_EQ(v.yMax, 200.0f);
    EXPECT_EQ(v.yMin, 100.0f);
    EXPECT_TRUE(v.OnCommand(CZentriStockView::kExpandY));
    EXPECT_FLOAT_EQ(v.yMax, 180.0f);
    EXPECT_FLOAT_EQ(v.yMin, 120.0f);
    EXPECT_TRUE(v.manualYScale);
    v.Layout(); // a manual scale is not fitted again
    EXPECT_FLOAT_EQ(v.yMax, 180.0f);
    v.RelayoutAll();
    v.Layout();
    v.ShrinkY();
    EXPECT_FLOAT_EQ(v.yMax, 220.0f);
    EXPECT_FLOAT_EQ(v.yMin, 80.0f);
    EXPECT_TRUE(v.OnCommand(CZentriStockView::kAutoScale));
    EXPECT_FALSE(v.manualYScale);
}

TEST_F(ViewGeometryTest, ZoomResetShowsTheLast250Bars) {
    const struct { int bars, first, end; } cases[] = {{100, 0, 100}, {1000, 750, 1000}};
    for (const auto& c : cases) {
        CStock& s = MakeStock(Bars(c.bars, 1, 2));
        s.RestoreWindow(10, 20);
        CZentriStockView& v = MakeView(0, 800, 462);
        v.layoutValid = true;
        EXPECT_TRUE(v.OnCommand(CZentriStockView::kZoomReset));
        v.Layout();
        EXPECT_EQ(v.xFirst, c.first);
        EXPECT_EQ(v.xEnd, c.end);
        EXPECT_EQ(v.xCount, static_cast<float>(c.end - c.first));
    }
}

TEST_F(ViewGeometryTest, NavigationCommandsShiftTheWindow) {
    const struct {
        int id, first, end;
    } cases[] = {
        {CZentriStockView::kMoveForward, 401, 501},  {CZentriStockView::kMoveBackward, 399, 499},
        {CZentriStockView::kQuickForward, 405, 505}, {CZentriStockView::kQuickBackward, 395, 495},
        {CZentriStockView::kMoveToBegin, 0, 100},    {CZentriStockView::kMoveToEnd, 900, 1000},
        {CZentriStockView::kZoomIn, 410, 500},       {CZentriStockView::kZoomOut, 395, 505},
    };
    for (const auto& c : cases) {
        CStock& s = MakeStock(Bars(1000, 1, 2));
        s.RestoreWindow(400, 500);
        CZentriStockView& v = MakeView(0, 800, 462);
        EXPECT_TRUE(v.OnCommand(c.id));
        EXPECT_EQ(s.SavedFirst(), c.first) << c.id;
        EXPECT_EQ(s.SavedEnd(), c.end) << c.id;
    }
    CZentriStockView& v = MakeView(0, 800, 462);
    EXPECT_FALSE(v.OnCommand(12345));
    EXPECT_TRUE(v.OnCommand(CZentriStockView::kBroadenCandle));
    EXPECT_TRUE(stock->BarHalfWidthByHand());
}

TEST_F(ViewGeometryTest, WheelShiftsByOneOrFiveAndShiftMovesOnlyTheFirstBar) {
    const struct {
        int delta;
        bool shift, ctrl;
        int first, end;
    } cases[] = {
        {-120, false, false, 401, 501}, {120, false, false, 399, 499},
        {-120, true, false, 401, 500},  {120, true, false, 399, 500},
        {-120, false, true, 405, 505},  {120, false, true, 395, 495},
    };
    for (const auto& c : cases) {
        CStock& s = MakeStock(Bars(1000, 1, 2));
        s.RestoreWindow(400, 500);
        CZentriStockView& v = MakeView(0, 800, 462);
        v.SetManualYScale(3, 1);
        v.OnMouseWheel(c.delta, c.shift, c.ctrl);
        EXPECT_FALSE(v.manualYScale);
        EXPECT_EQ(s.SavedFirst(), c.first) << c.delta << c.shift << c.ctrl;
        EXPECT_EQ(s.SavedEnd(), c.end) << c.delta << c.shift << c.ctrl;
    }
}

TEST_F(ViewGeometryTest, DateLabelsOnlyForBarsOfTheSeries) {
    CStock& s = MakeStock(Bars(30, 1, 2));
    s.RestoreWindow(0, 60); // the window runs 30 slots past the last bar
    CZentriStockView& v = MakeView(0, 800, 462);
    v.layoutValid = true;
    CRecordingDC dc;
    v.OnDraw(dc);
    ASSERT_GT(v.xTicks.count, 3);
    int inside = 0;
    for (int i = 0; i < v.xTicks.count; ++i) inside += v.xTicks.values[i] < 30 ? 1 : 0;
    ASSERT_LT(inside, v.xTicks.count);
    int dates = 0;
    for (const auto& t : dc.OpsOf(CRecordingDC::kText)) dates += t.points[0].y == 446 ? 1 : 0;
    EXPECT_EQ(dates, inside);
    EXPECT_EQ(v.BarToX(59) - v.BarToX(58), v.BarToX(1) - v.BarToX(0));
}

TEST_F(ViewGeometryTest, PaneBeyondTheContainersDrawsFrameAndAxesOnly) {
    MakeStock(Bars(30, 1, 2), 2);
    CZentriStockView& v = MakeView(4, 400, 200);
    CRecordingDC dc;
    v.OnDraw(dc);
    EXPECT_TRUE(v.IsEmptyPane());
    EXPECT_FLOAT_EQ(v.yMax, 2.0f);
    EXPECT_TRUE(v.layoutValid);
    // Background, then the four frame sides: no element, title or shadow.
    EXPECT_TRUE(dc.Texts().empty() || dc.Texts().front() != "NoName");
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine))
        EXPECT_NE(op.pen.colour, CZentriStockView::kButtonShadow);
}

TEST_F(ViewGeometryTest, FrameIsTwoPixelsWideWithFocusAndDrawnAfterTheMargins) {
    MakeStock(Bars(30, 1, 2));
    CZentriStockView& v = MakeView(0, 400, 300);
    for (bool focus : {false, true}) {
        v.SetFocus(focus);
        CRecordingDC dc;
        v.OnDraw(dc);
        const auto& ops = dc.Ops();
        int lastMargin = -1, frame = -1;
        for (int i = 0; i < static_cast<int>(ops.size()); ++i) {
            if (ops[i].kind == CRecordingDC::kRectangle && ops[i].rect.left == -1) lastMargin = i;
            if (frame < 0 && ops[i].kind == CRecordingDC::kLine && i > lastMargin &&
                lastMargin >= 0 && ops[i].points[0] == CPoint{v.plotRect.left, v.plotRect.top})
                frame = i;
        }
        ASSERT_GE(frame, 0);
        EXPECT_EQ(ops[frame].pen.width, focus ? 2 : 1);
        EXPECT_EQ(ops[frame].points[1], (CPoint{v.plotRect.right, v.plotRect.top}));
    }
}

TEST_F(ViewGeometryTest, TitleShowsTheLastVisibleBarAndTheCurves) {
    CStock& s = MakeStock(Bars(30, 1, 2));
    auto curve = std::make_unique<CCurve>();
    curve->name = "MA";
    curve->parameter = "5";
    curve->colour = 0x00FF00;
    curve->values.assign(30, 1.5f);
    curve->values[29] = kInvalid;
    CStockPanes::Of(s)->Pane(0)->AddCurve(std::move(curve));
    CZentriStockView& v = MakeView(0, 800, 462);
    CRecordingDC dc;
    v.OnDraw(dc);
    EXPECT_EQ(v.TitleButtonText(), "NoName");
    EXPECT_EQ(v.TitleButtonRect(), (CRect{1, 1, 1 + 8 * 15, 1 + 8 + 15}));
    bool sawTitle = false, sawCurve = false;
    for (const auto& t : dc.OpsOf(CRecordingDC::kText)) {
        if (t.points[0] == CPoint{8 * 15 + 10, 8}) {
            sawTitle = true;
            EXPECT_NE(t.text.find("C: 1.00"), std::string::npos) << t.text;
            EXPECT_EQ(t.textColour, s.Colour(3));
        }
        if (t.text == "MA(5)=1.50") {
            sawCurve = true;
            EXPECT_EQ(t.points[0], (CPoint{8, 23}));
            EXPECT_EQ(t.textColour, 0x00FF00u);
        }
    }
    EXPECT_TRUE(sawTitle);
    EXPECT_TRUE(sawCurve);
}

TEST_F(ViewGeometryTest, SecondCurvesMapOnTheLeftScaleAndElementsOnTheRight) {
    CStock& s = MakeStock(Bars(30, 10, 20), 2);
    CTCurve& pane = *CStockPanes::Of(s)->Pane(1);
    auto right = std::make_unique<CCurve>();
    right->values.assign(30, 0.0f);
    right->values[3] = 50.0f;
    pane.AddCurve(std::move(right));
    auto left = std::make_unique<CCurve>();
    left->values.assign(30, 1000.0f);
    left->values[5] = 3000.0f;
    pane.AddSecondCurve(std::move(left));
    pane.AddElement(std::make_unique<CSymbol>());
    s.ComputeVisibleRange();
    CZentriStockView& v = MakeView(1, 600, 300);
    v.showLeftAxis = true;
    CRecordingDC dc;
    v.OnDraw(dc);
    EXPECT_FLOAT_EQ(v.yMax, 50.0f);
    EXPECT_FLOAT_EQ(v.yMin, 0.0f);
    EXPECT_FLOAT_EQ(v.yMax2, 3000.0f);
    EXPECT_FLOAT_EQ(v.yMin2, 1000.0f);
    EXPECT_FLOAT_EQ(pane.SecondCurves()[0]->yMax, 3000.0f);
    EXPECT_FLOAT_EQ(pane.Curves()[0]->yMax, 50.0f);
    EXPECT_FLOAT_EQ(pane.Elements()[0]->yMax, 50.0f);
    EXPECT_EQ(pane.Elements()[0]->plotLeft, v.plotRect.left);
    // The label column of six characters on the left; its labels read the left scale.
    EXPECT_EQ(v.plotRect.left, 8 + 36);
    ASSERT_GT(v.yTicks.count, 0);
    int leftLabels = 0;
    for (const auto& t : dc.OpsOf(CRecordingDC::kText))
        if (t.points[0].x == 2) {
            EXPECT_EQ(t.text, FormatAxisLabel(v.YToValue2(v.yTicks.positions[leftLabels])));
            EXPECT_EQ(t.textColour, v.leftTextColour);
            ++leftLabels;
        }
    EXPECT_EQ(leftLabels, v.yTicks.count);
    EXPECT_FLOAT_EQ(v.YToValue2(v.plotRect.bottom), 1000.0f);
    EXPECT_EQ(v.ValueToY2(3000.0f), v.plotRect.top);
}

TEST_F(ViewGeometryTest, YScaleDialogSetsAManualScaleOnlyOnOk) {
    MakeStock(Bars(20, 100, 200));
    CZentriStockView& v = MakeView(0, 800, 462);
    v.Layout();
    float shownMax = 0, shownMin = 0;
    bool ok = false;
    v.SetYScaleDialog([&](float& max, float& min) {
        shownMax = max;
        shownMin = min;
        max = 300;
        min = 50;
        return ok;
    });
    EXPECT_TRUE(v.OnCommand(CZentriStockView::kYScaleDialog));
    EXPECT_EQ(shownMax, 200.0f);
    EXPECT_EQ(shownMin, 100.0f);
    EXPECT_FALSE(v.manualYScale);
    EXPECT_EQ(v.yMax, 200.0f);
    ok = true;
    EXPECT_TRUE(v.OnCommand(CZentriStockView::kYScaleDialog4));
    EXPECT_TRUE(v.manualYScale);
    EXPECT_EQ(v.yMax, 300.0f);
    EXPECT_EQ(v.yMin, 50.0f);
    EXPECT_EQ(v.yRange, 250.0f);
}

TEST_F(ViewGeometryTest, WideWindowsOnNarrowPanesFindTheSameLabelStepAsABarByBarSearch) {
    for (int bars : {1000, 100000, 50000000}) {
        CStock& s = MakeStock(Bars(10, 1, 2));
        s.RestoreWindow(0, bars);
        CZentriStockView& v = MakeView(0, 200, 300);
        v.layoutValid = true;
        v.Layout();
        v.ComputeXTicks();
        ASSERT_EQ(v.xTicks.count, 2) << bars;
        const int step = static_cast<int>(v.xTicks.values[1] - v.xTicks.values[0]);
        EXPECT_EQ(static_cast<int>(v.xTicks.values[0]), static_cast<int>(0.7f * step));
        EXPECT_GE(v.BarToX(static_cast<float>(step)) - v.BarToX(0), 54) << bars;
        if (bars > 100000) continue; // beyond float precision there is no single smallest step
        int k = 1;
        while (v.BarToX(static_cast<float>(k)) - v.BarToX(0) < 54) ++k;
        EXPECT_EQ(step, k) << bars;
    }
}

class DocumentViewTest : public ViewTest {};

TEST_F(DocumentViewTest, YAxisOffsetAddsFivePercentEachWay) {
    CZentriStockDoc document(*context);
    document.NewDocument();
    CStock& s = document.Stock();
    s.RestoreSeries(Bars(20, 10, 20), Bars(20, 10, 20));
    s.RestoreWindow(0, 20);
    s.ComputeVisibleRange();
    document.SetYAxisOffset(true);
    CIniReader settings(home + "setup.ini");
    CZentriStockView v(document, 0, settings);
    v.SetClientSize(400, 300);
    v.Layout();
    EXPECT_FLOAT_EQ(v.yMax, 20.5f);
    EXPECT_FLOAT_EQ(v.yMin, 9.5f);
    EXPECT_FLOAT_EQ(v.yRange, 11.0f);
}

TEST_F(DocumentViewTest, ConstructionWritesTheAxisSettingsBack) {
    {
        std::ofstream(home + "setup.ini") << "[AXIS_SETTING]\nCellMaxX=0\nDrawYGrid=1\n"
                                             "BorderColor=255\n";
    }
    CZentriStockDoc document(*context);
    document.NewDocument();
    CIniReader settings(home + "setup.ini");
    CZentriStockView v(document, 1, settings);
    EXPECT_EQ(v.cellMaxX, 80);
    EXPECT_EQ(v.cellMaxY, 80);
    EXPECT_TRUE(v.showVerticalGrid);
    EXPECT_EQ(v.frameColour, 255u);
    EXPECT_EQ(settings.getKeyValue("CellMaxX", "AXIS_SETTING"), "80");
    EXPECT_EQ(settings.getKeyValue("CellMaxY", "AXIS_SETTING"), "80");
    EXPECT_EQ(settings.getKeyValue("FontHeight", "AXIS_FONT"), "15");
    EXPECT_EQ(settings.getKeyValue("FontFaceName", "LABEL_FONT"), "Arial");
}

} // namespace

TEST_F(ViewGeometryTest, ManualYScaleRefusesARangeThatIsEmptyInvertedOrNotFinite) {
    MakeStock(Bars(100, 12.34f, 17.34f));
    CZentriStockView& v = MakeView(0, 800, 462);
    ASSERT_TRUE(v.SetManualYScale(30, 10));
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float max, min;
        bool accepted;
        float yMax, yMin, yRange;
    } cases[] = {
        {20, 20, false, 30, 10, 20},
        {5, 10, false, 30, 10, 20},
        {inf, 10, false, 30, 10, 20},
        {20, std::numeric_limits<float>::quiet_NaN(), false, 30, 10, 20},
        {3e38f, -3e38f, false, 30, 10, 20},
        {12, 11.5f, true, 12, 11.5f, 0.5f},
        {-1, -4, true, -1, -4, 3},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(v.SetManualYScale(30, 10));
        v.ClearManualYScale();
        EXPECT_EQ(v.SetManualYScale(c.max, c.min), c.accepted) << c.max << " " << c.min;
        EXPECT_EQ(v.yMax, c.yMax) << c.max << " " << c.min;
        EXPECT_EQ(v.yMin, c.yMin) << c.max << " " << c.min;
        EXPECT_EQ(v.yRange, c.yRange) << c.max << " " << c.min;
        EXPECT_EQ(v.manualYScale, c.accepted) << c.max << " " << c.min;
    }
}
