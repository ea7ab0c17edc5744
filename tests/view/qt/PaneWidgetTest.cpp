// The chart pane widgets driven as a user drives them: QTest mouse and key events and wheel
// events into real CPaneWidgets over a real document, the model read back afterwards.
#include "../ViewTestSupport.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CIniReader.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "series/CCurve.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CEllipse.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CGannFan.h"
#include "tools/CGannLine.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CLineReg.h"
#include "tools/CRectangle.h"
#include "tools/CSDChannel.h"
#include "tools/CSEChannel.h"
#include "tools/CSpeed.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/CVertical.h"
#include "view/CElementTracker.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/qt/CPaneWidget.h"
#include "view/qt/PaneCursors.h"
#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <typeindex>
#include <typeinfo>

namespace {

using EOpen = SInputResult::EOpen;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QTest::qWait(1);
    }
}

QString KeepFolder() {
    const char* folder = std::getenv("ZS_KEEP_GRABS");
    return folder ? QString(folder) : QString();
}

// A chart of three panes in a splitter, wired as a chart window wires its panes: a hover
// moves every pane's cursor, an element change repaints every pane. The series' bars run
// from 10 to 12, every 50th up to 60, so any window of 50 bars or more spans 10 .. 60 and
// leaves the upper part of the price pane free; the indicator pane holds one rising curve.
class PaneWidgetTest : public ViewTest {
protected:
    static constexpr int kPanes = 3;

    void TearDown() override {
        // Widgets before the stack, the stack before the document it reads.
        host.reset();
        widgets.clear();
        stack.reset();
        document.reset();
        settings.reset();
        ViewTest::TearDown();
    }

    static std::vector<SQuote> Series(int count) {
        std::vector<SQuote> bars = Bars(count, 10, 12);
        for (int i = 0; i < count; ++i) {
            bars[i].open = 10.5f;
            bars[i].close = bars[i].adjClose = 11.5f;
            if (i % 50 == 0) bars[i].high = 60;
        }
        return bars;
    }

    void Open(int bars = 100, int first = 0, int end = 100) {
        host.reset();
        widgets.clear();
        stack.reset();
        document = std::make_unique<CZentriStockDoc>(*context);
        document->Stock().SetPaneCount(kPanes);
        document->NewDocument();
        CStock& s = document->Stock();
        s.RestoreSeries(Series(bars), Series(bars));
        auto curve = std::make_unique<CCurve>();
        curve->name = "RISE";
        for (int i = 0; i < bars; ++i) curve->values.push_back(static_cast<float>(i));
        CStockPanes::InstallIn(s).PaneAt(1).AddCurve(std::move(curve));
        settings = std::make_unique<CIniReader>(home + "setup.ini");
        stack = std::make_unique<CPaneStack>(*document, *settings);
        stack->Views().SetRedrawRequest([this] { InvalidateAll(); });

        host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host.get());
        layout->setContentsMargins(0, 0, 0, 0);
        auto* splitter = new QSplitter(Qt::Vertical, host.get());
        layout->addWidget(splitter);
        for (int pane = 0; pane < stack->Count(); ++pane) {
            auto* widget = new CPaneWidget(*stack, pane, splitter);
            Connect(*widget);
            splitter->addWidget(widget);
            widgets.push_back(widget);
        }
        splitter->setSizes({2000, 1000, 1000});
        host->resize(900, 840);
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        Settle();
        // The first paint fitted the window to the last bars: the test's window instead.
        s.RestoreWindow(first, end);
        s.ComputeVisibleRange();
        RepaintAll();
        ASSERT_EQ(stack->Count(), kPanes);
        ASSERT_TRUE(View(0).layoutValid);
    }

    void Connect(CPaneWidget& pane) {
        pane.onCursorMoved = [this](int hovered, int bar, int row) {
            for (CPaneWidget* widget : widgets)
                widget->SetCursor(bar, widget->Pane() == hovered ? row : -1);
        };
        pane.onBarEntered = [this](CStock&, int bar) { barsEntered.push_back(bar); };
        pane.onElementsChanged = [this] {
            ++elementChanges;
            InvalidateAll();
        };
        pane.onTextPlaced = [this](int placed) { textsPlaced.push_back(placed); };
        pane.onOpen = [this](int, EOpen dialog) { opened.push_back(dialog); };
        pane.onContextMenu = [this](int pane, QPoint, bool valueAxis) {
            menus.push_back({pane, valueAxis});
        };
        pane.onSymbolKey = [this](char typed) { typedKeys += typed; };
        pane.onReadOut = [this](const std::string& value, const std::string& date) {
            readOut = value + " " + date;
        };
    }
    void InvalidateAll() {
        for (CPaneWidget* widget : widgets) widget->Invalidate(CPaneWidget::EStale::Pane);
    }
    // Every pane laid out and painted again now, so that elements know their mapping.
    void RepaintAll() {
        for (CPaneWidget* widget : widgets) {
            widget->Invalidate(CPaneWidget::EStale::Pane);
            widget->repaint();
        }
    }

    CStock& S() { return document->Stock(); }
    CPaneWidget& W(int pane = 0) { return *widgets.at(pane); }
    CZentriStockView& View(int pane = 0) { return stack->View(pane); }
    CTCurve& Elements(int pane = 0) { return *View(pane).Pane(); }
    CElementTracker& Tracker(int pane = 0) { return W(pane).Tracker(); }

    // The pane's own mapping from a pixel to a fractional bar and a value.
    float BarAt(int px, int pane = 0) {
        const CZentriStockView& v = View(pane);
        return static_cast<float>(px - v.plotRect.left) / static_cast<float>(v.plotRect.Width()) *
                   v.xCount +
               v.xMin;
    }
    float ValueAt(int py, int pane = 0) {
        const CZentriStockView& v = View(pane);
        return static_cast<float>(v.plotRect.bottom - py) /
                   static_cast<float>(v.plotRect.Height()) * v.yRange +
               v.yMin;
    }
    // A point of the plot by its share of the width and height from the top left.
    QPoint InPlot(double across, double down, int pane = 0) {
        const CRect& plot = View(pane).plotRect;
        return {plot.left + static_cast<int>(across * plot.Width()),
                plot.top + static_cast<int>(down * plot.Height())};
    }
    QPoint InDateStrip(double across) {
        const CRect& strip = View(0).xAxisStrip;
        return {strip.left + static_cast<int>(across * strip.Width()), strip.top + 5};
    }
    QPoint InValueStrip(double down) {
        const CRect& strip = View(0).yAxisStrip;
        return {strip.left + 10, strip.top + static_cast<int>(down * strip.Height())};
    }
    static QPoint At(SPoint p) { return {p.x, p.y}; }

    // A move without a button, sent to the pane itself: QTest would move the screen cursor,
    // which ignores a move to where it already is.
    void Hover(QPoint at, int pane = 0) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(W(pane).mapToGlobal(at)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&W(pane), &event);
    }
    void Press(QPoint at, int pane = 0) { QTest::mousePress(&W(pane), Qt::LeftButton, {}, at); }
    void DragTo(QPoint at, int pane = 0) { QTest::mouseMove(&W(pane), at); }
    void Release(QPoint at, int pane = 0) { QTest::mouseRelease(&W(pane), Qt::LeftButton, {}, at); }
    // Hover, press, two moves on the way, release: as a hand drags.
    void Drag(QPoint from, QPoint to, int pane = 0) {
        Hover(from, pane);
        Press(from, pane);
        DragTo((from + to) / 2, pane);
        DragTo(to, pane);
        Release(to, pane);
    }
    void Click(QPoint at, int pane = 0) {
        Hover(at, pane);
        QTest::mouseClick(&W(pane), Qt::LeftButton, {}, at);
    }
    // What the window system sends for a double click: press, release, double click, release.
    void DoubleClick(QPoint at, int pane = 0) {
        Click(at, pane);
        QTest::mouseDClick(&W(pane), Qt::LeftButton, {}, at);
        QTest::mouseRelease(&W(pane), Qt::LeftButton, {}, at);
    }
    void RightClick(QPoint at, int pane = 0) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, W(pane).mapToGlobal(at));
        QApplication::sendEvent(&W(pane), &event);
    }
    void Wheel(int delta, Qt::KeyboardModifiers keys, int pane = 0) {
        const QPoint at = InPlot(0.5, 0.5, pane);
        QWheelEvent event(QPointF(at), QPointF(W(pane).mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&W(pane), &event);
    }

    // A trend line from (bar 20, 30) to (bar 60, 40), drawn once, not selected.
    CLine& AddLine() { return Add<CLine>(20, 30, 60, 40); }
    template <typename Element> Element& Add(float x1, float y1, float x2, float y2) {
        auto element = std::make_unique<Element>();
        element->x1 = x1;
        element->y1 = y1;
        element->x2 = x2;
        element->y2 = y2;
        Element& placed = *element;
        Elements().AddElement(std::move(element));
        RepaintAll();
        return placed;
    }

    std::unique_ptr<CZentriStockDoc> document;
    std::unique_ptr<CIniReader> settings;
    std::unique_ptr<CPaneStack> stack;
    std::unique_ptr<QWidget> host;
    std::vector<CPaneWidget*> widgets;

    std::vector<int> barsEntered;
    int elementChanges = 0;
    std::vector<int> textsPlaced;
    std::vector<EOpen> opened;
    std::vector<std::pair<int, bool>> menus;
    std::string typedKeys;
    std::string readOut;
};

// ---- Placing elements with the armed tool ------------------------------------------------

TEST_F(PaneWidgetTest, EveryToolAndIconCodeIsPlacedByPressDragAndReleaseAtTheMappedPoints) {
    struct SRow {
        int code;
        std::type_index type;
    };
    const std::vector<SRow> tools = {
        {1, typeid(CLine)},       {2, typeid(CRectangle)},    {3, typeid(CArrow)},
        {6, typeid(CCycle)},      {7, typeid(CEllipse)},      {8, typeid(CFiboArc)},
        {9, typeid(CFiboFan)},    {10, typeid(CFiboRetrace)}, {11, typeid(CFiboTime)},
        {12, typeid(CGannLine)},  {13, typeid(CGannFan)},     {15, typeid(CGChannel)},
        {16, typeid(CSDChannel)}, {17, typeid(CSEChannel)},   {19, typeid(CHorizontal)},
        {20, typeid(CLineReg)},   {24, typeid(CSpeed)},       {27, typeid(CTriangle)},
        {28, typeid(CVertical)},  {30, typeid(CText)},
    };
    std::vector<SRow> rows = tools;
    for (int code = CIco::kFirstToolCode; code < CIco::kFirstToolCode + CIco::kIconCount; ++code)
        rows.push_back({code, typeid(CIco)});
    ASSERT_EQ(rows.size(), 60u);

    Open();
    const QPoint from = InPlot(0.25, 0.2);
    const QPoint to = InPlot(0.6, 0.45);
    for (const SRow& row : rows) {
        Elements().RemoveDrawings();
        RepaintAll();
        textsPlaced.clear();
        Tracker().Arm(row.code);
        Hover(from);
        EXPECT_EQ(W().cursor().shape(), Qt::BitmapCursor) << row.code; // the pencil
        Press(from);
        ASSERT_EQ(Elements().Elements().size(), 1u) << row.code;
        CSymbol& placed = *Elements().Elements().back();
        const bool text = row.code == CText::kTypeCode;
        // The text tool is used up by its press, which asks for the text at once.
        EXPECT_EQ(textsPlaced, text ? std::vector<int>{0} : std::vector<int>{}) << row.code;
        EXPECT_EQ(Tracker().ArmedTool(), text ? 0 : row.code) << row.code;
        DragTo((from + to) / 2);
        DragTo(to);
        Release(to);

        EXPECT_EQ(std::type_index(typeid(placed)), row.type) << row.code;
        const bool icon = row.code >= CIco::kFirstToolCode;
        EXPECT_EQ(placed.TypeCode(), icon ? CIco::kTypeCode : row.code) << row.code;
        if (icon) {
            EXPECT_EQ(dynamic_cast<CIco&>(placed).iconNumber, row.code - 51);
        }
        EXPECT_FLOAT_EQ(placed.x1, BarAt(from.x())) << row.code;
        EXPECT_FLOAT_EQ(placed.y1, ValueAt(from.y())) << row.code;
        // The drag sets the second anchor; a horizontal line keeps its value, text its spot.
        EXPECT_FLOAT_EQ(placed.x2, text ? BarAt(from.x()) : BarAt(to.x())) << row.code;
        const float y2 =
            text || row.code == CHorizontal::kTypeCode ? ValueAt(from.y()) : ValueAt(to.y());
        EXPECT_FLOAT_EQ(placed.y2, y2) << row.code;
        EXPECT_EQ(placed.Period(), 1) << row.code;
        EXPECT_EQ(Tracker().Selected(), &placed) << row.code;
        EXPECT_TRUE(placed.IsSelected()) << row.code;
        EXPECT_FALSE(placed.tracking) << row.code;
        // Each tool places one element.
        EXPECT_EQ(Tracker().ArmedTool(), 0) << row.code;
        if (const auto* line = dynamic_cast<const CLine*>(&placed)) {
            EXPECT_EQ(line->color, MakeRGB(0, 0, 0)) << row.code; // on the white pane
        }
    }
    EXPECT_EQ(dynamic_cast<CIco&>(*Elements().Elements().back()).iconNumber, 39);
}

TEST_F(PaneWidgetTest, CodesWithoutAClassPlaceNothingAndOnlyRepaint) {
    Open();
    // The six tools without a class, the icon's stored code and codes no command arms.
    for (int code : {5, 14, 18, 21, 22, 25, 29, 4, 23, 26, 36, 37, 38, 50, 91}) {
        Tracker().Arm(code);
        const int changes = elementChanges;
        const int renders = W(2).Counters().renders;
        Drag(InPlot(0.3, 0.3), InPlot(0.5, 0.5));
        Settle();
        EXPECT_TRUE(Elements().Elements().empty()) << code;
        EXPECT_EQ(Tracker().Selected(), nullptr) << code;
        EXPECT_GT(elementChanges, changes) << code;
        EXPECT_GT(W(2).Counters().renders, renders) << code;
        // Released inside the plot, the tool is used up like any other.
        EXPECT_EQ(Tracker().ArmedTool(), 0) << code;
    }
}

TEST_F(PaneWidgetTest, ClicksWithAToolOutsideThePlotPlaceNothingAndKeepTheTool) {
    Open();
    Tracker().Arm(CLine::kTypeCode);
    Drag(InValueStrip(0.5), InValueStrip(0.7));
    Drag(QPoint(2, 2), QPoint(4, 4));
    EXPECT_TRUE(Elements().Elements().empty());
    EXPECT_EQ(Tracker().ArmedTool(), CLine::kTypeCode);
}

TEST_F(PaneWidgetTest, NewElementsAreDrawnInAColourThatShowsOnThePane) {
    const struct {
        COLORREF background, element;
    } cases[] = {
        {MakeRGB(255, 255, 255), MakeRGB(0, 0, 0)},
        {MakeRGB(128, 128, 128), MakeRGB(0, 0, 0)}, // its complement would be grey again
        {MakeRGB(120, 120, 120), MakeRGB(255, 255, 255)},
        {MakeRGB(0, 0, 128), MakeRGB(255, 255, 127)},
    };
    for (const auto& c : cases) {
        Open();
        S().ViewPar(0).backgroundColour = c.background;
        RepaintAll();
        Tracker().Arm(CLine::kTypeCode);
        // Clear of the grid lines, which the line would cover only in part at scale 2.
        const QPoint from = InPlot(0.2, 0.23);
        const QPoint to = InPlot(0.7, 0.23);
        Drag(from, to);
        ASSERT_EQ(Elements().Elements().size(), 1u);
        auto& line = dynamic_cast<CLine&>(*Elements().Elements().back());
        EXPECT_EQ(line.color, c.element) << std::hex << c.background;
        EXPECT_EQ(CElementTracker::ElementColourOn(c.background), c.element);
        // And the pane shows it: the middle of the line in the element's colour.
        RepaintAll();
        const QImage image = W().grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const auto pixel = [&](int x, int y) {
            return image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
        };
        const QColor drawn = pixel((from.x() + to.x()) / 2, from.y());
        EXPECT_EQ(drawn, QColor(RedOf(c.element), GreenOf(c.element), BlueOf(c.element)))
            << std::hex << c.background;
        const QColor pane = pixel((from.x() + to.x()) / 2, from.y() + 6);
        EXPECT_EQ(pane, QColor(RedOf(c.background), GreenOf(c.background), BlueOf(c.background)));
    }
}

// ---- Selecting and dragging --------------------------------------------------------------

TEST_F(PaneWidgetTest, ClicksSelectTheElementUnderTheMouseAndDeselectOnEmptyPlot) {
    Open();
    CLine& line = AddLine();
    CRectangle& box = Add<CRectangle>(70, 45, 90, 55);
    const QPoint onLine = At(line.PointOf(40, 35));
    const QPoint onBox = At(box.PointOf(80, 55)); // its top edge
    const QPoint empty = InPlot(0.05, 0.1);
    const struct {
        QPoint at;
        CSymbol* selected;
    } clicks[] = {
        {onLine, &line}, {onBox, &box}, {empty, nullptr}, {onBox, &box}, {onLine, &line},
    };
    for (const auto& c : clicks) {
        Click(c.at);
        RepaintAll();
        EXPECT_EQ(Tracker().Selected(), c.selected) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(line.IsSelected(), c.selected == &line);
        EXPECT_EQ(box.IsSelected(), c.selected == &box);
        EXPECT_FALSE(line.tracking || box.tracking);
    }
    // A click does not move what it selects.
    EXPECT_FLOAT_EQ(line.x1, 20);
    EXPECT_FLOAT_EQ(line.y2, 40);
    EXPECT_FLOAT_EQ(box.x1, 70);
}

TEST_F(PaneWidgetTest, DragsMoveTheBodyBothEndsAlikeAndAHandleOrCornerAlone) {
    // 100 bars across the plot; the moves are given in pixels from where the drag starts.
    enum class EFrom { Body, First, Second, CornerX1Y2, CornerX2Y1 };
    const struct {
        bool box;
        EFrom from;
        int dx, dy;
    } cases[] = {
        {false, EFrom::Body, 40, -30},      {false, EFrom::Body, -24, 18},
        {false, EFrom::First, 32, 40},      {false, EFrom::Second, -48, -20},
        {true, EFrom::Body, 16, 16},        {true, EFrom::First, -16, 8},
        {true, EFrom::CornerX1Y2, 24, -16}, {true, EFrom::CornerX2Y1, -8, 24},
    };
    for (const auto& c : cases) {
        Open();
        CLine& element = c.box ? static_cast<CLine&>(Add<CRectangle>(30, 30, 60, 45)) : AddLine();
        const float x1 = element.x1, y1 = element.y1, x2 = element.x2, y2 = element.y2;
        QPoint start;
        switch (c.from) {
        case EFrom::Body:
            start = c.box ? At(element.PointOf(45, 45)) : At(element.PointOf(40, 35));
            break;
        case EFrom::First:
            start = At(element.PointOf(x1, y1));
            break;
        case EFrom::Second:
            start = At(element.PointOf(x2, y2));
            break;
        case EFrom::CornerX1Y2:
            start = At(element.PointOf(x1, y2));
            break;
        case EFrom::CornerX2Y1:
            start = At(element.PointOf(x2, y1));
            break;
        }
        const std::string row = std::to_string(static_cast<int>(c.from)) + (c.box ? " box" : "");
        Click(start);
        RepaintAll();
        ASSERT_EQ(Tracker().Selected(), &element) << row;
        const QPoint end = start + QPoint(c.dx, c.dy);
        const int otherRenders = W(1).Counters().renders;
        Hover(start);
        Press(start);
        Settle();
        const int ownRenders = W(0).Counters().renders;
        const int otherAfterPress = W(1).Counters().renders;
        EXPECT_GE(otherAfterPress, otherRenders + 1) << row; // a click repaints every pane
        DragTo(start + QPoint(c.dx / 2, c.dy / 2));
        DragTo(end);
        Settle();
        // The drag itself repaints its own pane only.
        EXPECT_GT(W(0).Counters().renders, ownRenders) << row;
        EXPECT_EQ(W(1).Counters().renders, otherAfterPress) << row;
        Release(end);

        const float dBars = static_cast<float>(c.dx) / element.plotWidth * element.indexCount;
        const float dValue = -static_cast<float>(c.dy) / element.plotHeight * element.yRange;
        float w1 = x1, v1 = y1, w2 = x2, v2 = y2;
        switch (c.from) {
        case EFrom::Body:
            w1 += dBars, w2 += dBars, v1 += dValue, v2 += dValue;
            break;
        case EFrom::First:
            w1 = BarAt(end.x()), v1 = ValueAt(end.y());
            break;
        case EFrom::Second:
            w2 = BarAt(end.x()), v2 = ValueAt(end.y());
            break;
        case EFrom::CornerX1Y2:
            w1 = BarAt(end.x()), v2 = ValueAt(end.y());
            break;
        case EFrom::CornerX2Y1:
            w2 = BarAt(end.x()), v1 = ValueAt(end.y());
            break;
        }
        EXPECT_NEAR(element.x1, w1, 1e-4) << row;
        EXPECT_NEAR(element.y1, v1, 1e-4) << row;
        EXPECT_NEAR(element.x2, w2, 1e-4) << row;
        EXPECT_NEAR(element.y2, v2, 1e-4) << row;
        EXPECT_FALSE(element.tracking) << row;
        EXPECT_TRUE(element.IsSelected()) << row;
    }
}

TEST_F(PaneWidgetTest, EscapeDuringADragPutsTheElementBackWhereTheDragBegan) {
    for (const bool onHandle : {false, true}) {
        Open();
        CLine& line = AddLine();
        Click(At(line.PointOf(40, 35)));
        RepaintAll();
        const QPoint from = onHandle ? At(line.PointOf(20, 30)) : At(line.PointOf(40, 35));
        Hover(from);
        Press(from);
        DragTo(from + QPoint(40, -40));
        DragTo(from + QPoint(80, -60));
        ASSERT_NE(line.x1 == 20 && line.x2 == 60, true) << onHandle;
        QTest::keyClick(&W(), Qt::Key_Escape);
        EXPECT_FLOAT_EQ(line.x1, 20) << onHandle;
        EXPECT_FLOAT_EQ(line.y1, 30) << onHandle;
        EXPECT_FLOAT_EQ(line.x2, 60) << onHandle;
        EXPECT_FLOAT_EQ(line.y2, 40) << onHandle;
        EXPECT_EQ(Tracker().Selected(), &line);
        EXPECT_FALSE(line.tracking);
        // Moves and the release that follow change nothing.
        DragTo(from + QPoint(100, -70));
        Release(from + QPoint(100, -70));
        EXPECT_FLOAT_EQ(line.x1, 20) << onHandle;
        EXPECT_FLOAT_EQ(line.x2, 60) << onHandle;
    }
}

TEST_F(PaneWidgetTest, DeleteAllSymbolsDuringADragLeavesNothingSelectedAndIgnoresTheRest) {
    Open();
    CLine& line = AddLine();
    const QPoint body = At(line.PointOf(40, 35));
    Click(body);
    RepaintAll();
    Hover(body);
    Press(body);
    DragTo(body + QPoint(16, 0));
    // The chart's Delete All Symbols runs while the button is still down.
    document->DeleteAllSymbols();
    InvalidateAll();
    Settle();
    ASSERT_TRUE(Elements().Elements().empty());
    EXPECT_EQ(Tracker().Selected(), nullptr);
    EXPECT_EQ(Tracker().Hot(), nullptr);
    const int renders = W().Counters().renders;
    DragTo(body + QPoint(32, 0));
    Settle();
    EXPECT_EQ(W().Counters().renders, renders); // the move found nothing to drag
    EXPECT_EQ(W().cursor().shape(), Qt::CrossCursor);
    Release(body + QPoint(32, 0));
    EXPECT_EQ(Tracker().Selected(), nullptr);
    EXPECT_FALSE(Tracker().ButtonDown());
    QTest::keyClick(&W(), Qt::Key_Delete);
    QTest::keyClick(&W(), Qt::Key_Escape);
    DoubleClick(body);
    EXPECT_EQ(opened, std::vector<EOpen>{});
    EXPECT_TRUE(Elements().Elements().empty());
    // The pane goes on working: a new line is placed and selected.
    Tracker().Arm(CLine::kTypeCode);
    Drag(body, body + QPoint(60, 20));
    ASSERT_EQ(Elements().Elements().size(), 1u);
    EXPECT_EQ(Tracker().Selected(), Elements().Elements().back().get());
}

// ---- Bar notification and the axes -------------------------------------------------------

TEST_F(PaneWidgetTest, MovesWithinOneBarSendOneBarNotification) {
    Open();
    const CZentriStockView& v = View();
    const int left = v.BarToX(30) - 2; // inside the slot of bar 30
    ASSERT_EQ(v.XToBar(left), 30);
    ASSERT_EQ(v.XToBar(left + 3), 30);
    const int y = InPlot(0, 0.4).y();
    const struct {
        QPoint at;
        std::vector<int> entered;
    } moves[] = {
        {{left, y}, {30}},
        {{left + 3, y}, {30}},
        {{left + 1, y + 40}, {30}},
        {{v.BarToX(31), y}, {30, 31}},
        {InDateStrip(0.5), {30, 31}},  // outside the plot: no bar
        {{v.BarToX(31), y}, {30, 31}}, // the same bar again: already announced
        {{left, y}, {30, 31, 30}},
    };
    for (const auto& m : moves) {
        Hover(m.at);
        EXPECT_EQ(barsEntered, m.entered) << m.at.x() << "," << m.at.y();
    }
    // Once the mouse has left the pane, coming back announces the bar again.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&W(), &leave);
    EXPECT_EQ(readOut, " ");
    Hover({left, y});
    EXPECT_EQ(barsEntered, (std::vector<int>{30, 31, 30, 30}));
    // The read-out shows the value and date under the mouse.
    Hover({left, y});
    char value[32];
    std::snprintf(value, sizeof value, "%.2f", double{v.YToValue(y)});
    EXPECT_EQ(readOut, std::string(value) + " 03-Feb-24");
}

TEST_F(PaneWidgetTest, ValueAxisDragsRescaleAndDateAxisDragsScrollBySlots) {
    Open();
    ASSERT_FLOAT_EQ(View().yRange, 50);
    ASSERT_FLOAT_EQ(View().yMax, 60);
    // Ten pixels down with a range of 50 raise the top by 5.
    const QPoint grab = InValueStrip(0.5);
    Hover(grab);
    Press(grab);
    DragTo(grab + QPoint(0, 10));
    Release(grab + QPoint(0, 10));
    EXPECT_FLOAT_EQ(View().yMax, 65);
    EXPECT_FLOAT_EQ(View().yMin, 10);
    EXPECT_TRUE(View().manualYScale);
    // The manual scale stays through the next paint.
    RepaintAll();
    EXPECT_FLOAT_EQ(View().yMax, 65);

    // A window of 100 of 1,000 bars: three slots to the right bring three earlier bars in.
    const struct {
        double moved;
        int first;
    } cases[] = {{3.2, 397}, {-3.2, 403}, {0.6, 400}, {10.1, 390}};
    for (const auto& c : cases) {
        Open(1000, 400, 500);
        View().SetManualYScale(80, 0);
        const double slot = static_cast<double>(View().plotRect.Width()) / 100;
        const QPoint from = InDateStrip(0.5);
        const QPoint to = from + QPoint(static_cast<int>(std::lround(c.moved * slot)), 0);
        Hover(from);
        EXPECT_EQ(W().cursor().shape(), Qt::SizeHorCursor);
        Press(from);
        DragTo(to);
        Release(to);
        EXPECT_EQ(S().SavedFirst(), c.first) << c.moved;
        EXPECT_EQ(S().SavedEnd(), c.first + 100) << c.moved;
        Settle();
        EXPECT_EQ(View().manualYScale, c.first == 400) << c.moved;
        EXPECT_EQ(static_cast<int>(View().xMin), c.first) << c.moved;
    }
}

// ---- Keys and the wheel ------------------------------------------------------------------

TEST_F(PaneWidgetTest, ArrowKeysFollowTheKeyTableAndLettersGoToQuickEntry) {
    const struct {
        Qt::Key key;
        int first, end, wantFirst, wantEnd;
    } cases[] = {
        {Qt::Key_Right, 400, 500, 401, 501}, {Qt::Key_Left, 400, 500, 399, 499},
        {Qt::Key_Up, 400, 500, 401, 500},    {Qt::Key_Down, 400, 500, 399, 501},
        {Qt::Key_Up, 400, 410, 400, 410}, // exactly ten bars shown: no zoom
        {Qt::Key_Up, 400, 411, 401, 411},
    };
    for (const auto& c : cases) {
        Open(1000, c.first, c.end);
        document->SetCurveFloating(true);
        View().SetManualYScale(80, 0);
        QTest::keyClick(&W(), c.key);
        EXPECT_EQ(S().SavedFirst(), c.wantFirst) << c.key << " " << c.end;
        EXPECT_EQ(S().SavedEnd(), c.wantEnd) << c.key << " " << c.end;
        EXPECT_FALSE(View().manualYScale) << c.key;
        Settle();
        EXPECT_EQ(static_cast<int>(View(2).xMin), c.wantFirst) << c.key; // every pane follows
    }

    QTest::keyClick(&W(), Qt::Key_7, Qt::KeypadModifier);
    QTest::keyClick(&W(), '^');
    QTest::keyClick(&W(), 'I');
    QTest::keyClick(&W(), Qt::Key_Minus);
    QTest::keyClick(&W(), Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(&W(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(typedKeys, "7^I");
    EXPECT_EQ(S().SavedFirst(), 401);
}

TEST_F(PaneWidgetTest, DeleteRemovesTheSelectedElementOnly) {
    Open();
    CLine& line = AddLine();
    Add<CRectangle>(70, 45, 90, 55);
    QTest::keyClick(&W(), Qt::Key_Delete); // nothing selected
    EXPECT_EQ(Elements().Elements().size(), 2u);
    Click(At(line.PointOf(40, 35)));
    ASSERT_EQ(Tracker().Selected(), &line);
    QTest::keyClick(&W(), Qt::Key_Delete);
    ASSERT_EQ(Elements().Elements().size(), 1u);
    EXPECT_EQ(Elements().Elements().front()->TypeCode(), CRectangle::kTypeCode);
    EXPECT_EQ(Tracker().Selected(), nullptr);
    // The price series stays.
    Click(At(S().PointOf(30.0f, 11.0f)));
    EXPECT_EQ(Tracker().Selected(), &S());
    QTest::keyClick(&W(), Qt::Key_Delete);
    EXPECT_EQ(Tracker().Selected(), &S());
}

TEST_F(PaneWidgetTest, WheelFollowsTheWheelTableWithAndWithoutFloating) {
    const struct {
        int delta;
        Qt::KeyboardModifiers keys;
        bool floating;
        int first, end;
    } cases[] = {
        {-120, Qt::NoModifier, true, 1, 101},      {-120, Qt::NoModifier, false, 1, 100},
        {120, Qt::NoModifier, true, -1, 99},       {120, Qt::NoModifier, false, 0, 99},
        {-120, Qt::ShiftModifier, true, 1, 100},   {-120, Qt::ShiftModifier, false, 1, 100},
        {120, Qt::ShiftModifier, true, -1, 100},   {120, Qt::ShiftModifier, false, 0, 100},
        {-120, Qt::ControlModifier, true, 5, 105}, {-120, Qt::ControlModifier, false, 5, 100},
        {120, Qt::ControlModifier, true, -5, 95},  {120, Qt::ControlModifier, false, 0, 95},
    };
    for (const auto& c : cases) {
        Open(100, 0, 100);
        document->SetCurveFloating(c.floating);
        View().SetManualYScale(80, 0);
        const int renders = W(1).Counters().renders;
        Wheel(c.delta, c.keys);
        const std::string row = std::to_string(c.delta) + " " +
                                std::to_string(static_cast<int>(c.keys)) +
                                (c.floating ? " floating" : "");
        EXPECT_EQ(S().SavedFirst(), c.first) << row;
        EXPECT_EQ(S().SavedEnd(), c.end) << row;
        EXPECT_FALSE(View().manualYScale) << row;
        Settle();
        EXPECT_GT(W(1).Counters().renders, renders) << row; // every pane is laid out again
    }
}

TEST_F(PaneWidgetTest, TouchpadDeltasOfFifteenAddUpToOneNotch) {
    Open(1000, 400, 500);
    for (int i = 1; i <= 7; ++i) {
        Wheel(15, Qt::NoModifier);
        EXPECT_EQ(S().SavedFirst(), 400) << i;
    }
    Wheel(15, Qt::NoModifier);
    EXPECT_EQ(S().SavedFirst(), 399);
    EXPECT_EQ(S().SavedEnd(), 499);
    for (int i = 1; i <= 8; ++i) Wheel(-15, Qt::ControlModifier);
    EXPECT_EQ(S().SavedFirst(), 404);
    EXPECT_EQ(S().SavedEnd(), 504);
}

// ---- Double clicks, the context menu and the cursors ------------------------------------

TEST_F(PaneWidgetTest, DoubleClicksOpenPropertiesWindowSettingsOrTheYScale) {
    Open();
    CLine& line = AddLine();
    const QPoint body = At(line.PointOf(40, 35));
    const struct {
        QPoint at;
        std::vector<EOpen> open;
    } cases[] = {
        {body, {EOpen::Properties}},
        {InDateStrip(0.4), {EOpen::WindowSettings}},
        {InValueStrip(0.4), {EOpen::YScale}},
        {InPlot(0.05, 0.1), {}},
        {QPoint(2, 2), {}},
    };
    for (const auto& c : cases) {
        opened.clear();
        DoubleClick(c.at);
        EXPECT_EQ(opened, c.open) << c.at.x() << "," << c.at.y();
    }
    // The double click's first press selected the line, its properties mean it.
    DoubleClick(body);
    EXPECT_EQ(Tracker().Selected(), &line);
    // The date axis double click moved no bars.
    EXPECT_EQ(S().SavedFirst(), 0);
}

TEST_F(PaneWidgetTest, RightClicksAskForTheScaleMenuOverTheValueAxisAndSelectFirst) {
    Open();
    CLine& line = AddLine();
    const struct {
        QPoint at;
        bool valueAxis;
        CSymbol* selected;
    } cases[] = {
        {InValueStrip(0.3), true, nullptr},
        {InPlot(0.05, 0.1), false, nullptr},
        {InDateStrip(0.3), false, nullptr},
        {At(line.PointOf(40, 35)), false, &line},
    };
    for (const auto& c : cases) {
        menus.clear();
        Hover(c.at);
        RightClick(c.at);
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0], std::make_pair(0, c.valueAxis)) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(Tracker().Selected(), c.selected) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(line.IsSelected(), c.selected == &line);
        EXPECT_FALSE(Tracker().ButtonDown());
    }
    EXPECT_FLOAT_EQ(line.x1, 20);
    EXPECT_TRUE(W().hasFocus());

    // The menu key names a point of its own choosing: it selects nothing there and offers
    // the chart's commands wherever that point lies.
    Click(InPlot(0.05, 0.1));
    ASSERT_EQ(Tracker().Selected(), nullptr);
    for (const QPoint at : {At(line.PointOf(40, 35)), InValueStrip(0.3)}) {
        menus.clear();
        QContextMenuEvent key(QContextMenuEvent::Keyboard, at, W().mapToGlobal(at));
        QApplication::sendEvent(&W(), &key);
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0], std::make_pair(0, false));
        EXPECT_EQ(Tracker().Selected(), nullptr);
    }
}

// A pane on its own, with no window listening to it, still repaints after its own clicks.
TEST_F(PaneWidgetTest, APaneNobodyListensToRepaintsWhatItsClicksChanged) {
    Open();
    CLine& line = AddLine();
    CPaneWidget& pane = W();
    pane.onElementsChanged = nullptr;
    const int renders = pane.Counters().renders;
    const int others = W(1).Counters().renders;
    Click(At(line.PointOf(40, 35)));
    Settle();
    EXPECT_TRUE(line.IsSelected());
    EXPECT_GT(pane.Counters().renders, renders);
    EXPECT_EQ(W(1).Counters().renders, others);
}

TEST_F(PaneWidgetTest, APressTakesTheFocusAndToolsInAnIndicatorPaneUseItsValues) {
    Open();
    W(2).setFocus();
    Settle();
    ASSERT_TRUE(W(2).hasFocus());
    const QPoint from = InPlot(0.3, 0.3, 1);
    const QPoint to = InPlot(0.5, 0.6, 1);
    Tracker(1).Arm(CLine::kTypeCode);
    Drag(from, to, 1);
    Settle();
    EXPECT_TRUE(W(1).hasFocus());
    EXPECT_EQ(stack->FocusedPane(), 1);
    ASSERT_EQ(Elements(1).Elements().size(), 1u);
    EXPECT_TRUE(Elements(0).Elements().empty());
    const CSymbol& placed = *Elements(1).Elements().back();
    // The indicator pane's own scale: its curve runs from 0 to 99 over the window.
    ASSERT_FLOAT_EQ(View(1).yMin, 0);
    EXPECT_FLOAT_EQ(placed.x1, BarAt(from.x(), 1));
    EXPECT_FLOAT_EQ(placed.y1, ValueAt(from.y(), 1));
    EXPECT_FLOAT_EQ(placed.x2, BarAt(to.x(), 1));
    EXPECT_FLOAT_EQ(placed.y2, ValueAt(to.y(), 1));
    EXPECT_EQ(Tracker(1).Selected(), &placed);
}

TEST_F(PaneWidgetTest, TheCursorFollowsTheHitCodeTheAxesAndTheArmedTool) {
    Open();
    CLine& line = AddLine();
    CRectangle& rising = Add<CRectangle>(70, 45, 80, 55);  // corners on the "\" diagonal
    CRectangle& falling = Add<CRectangle>(84, 55, 94, 45); // x1 left, y1 top: the "/" one
    const QPoint body = At(line.PointOf(40, 35));
    const QPoint series = At(S().PointOf(30.0f, 11.0f));
    const int scale = PaneCursors::ScaleFor(W().devicePixelRatioF());
    const auto curveAt = [&](float bar) {
        return QPoint(View(1).BarToX(bar), View(1).ValueToY(bar));
    };
    Hover(curveAt(30), 1);
    const QCursor curveCursor = W(1).cursor();
    EXPECT_EQ(curveCursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(curveCursor.pixmap().cacheKey(),
              PaneCursors::Image(PaneCursors::EGlyph::Curve, scale).cacheKey());
    EXPECT_EQ(curveCursor.hotSpot(), PaneCursors::kHotSpot);

    Hover(series);
    const QCursor seriesCursor = W().cursor();
    EXPECT_EQ(seriesCursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(seriesCursor.pixmap().cacheKey(),
              PaneCursors::Image(PaneCursors::EGlyph::PriceSeries, scale).cacheKey());
    EXPECT_EQ(seriesCursor.hotSpot(), PaneCursors::kHotSpot);
    EXPECT_NE(seriesCursor.pixmap().cacheKey(), curveCursor.pixmap().cacheKey());

    const struct {
        const char* what;
        std::function<void()> prepare;
        QPoint at;
        Qt::CursorShape shape;
    } cases[] = {
        {"0 nothing", [] {}, InPlot(0.05, 0.1), Qt::CrossCursor},
        {"1 element", [] {}, body, Qt::PointingHandCursor},
        {"2 body", [&] { Click(body); }, body, Qt::SizeAllCursor},
        {"3 first end", [&] { Click(body); }, At(line.PointOf(20, 30)), Qt::OpenHandCursor},
        {"4 second end", [&] { Click(body); }, At(line.PointOf(60, 40)), Qt::OpenHandCursor},
        {"5 corner", [&] { Click(At(rising.PointOf(75, 55))); }, At(rising.PointOf(70, 55)),
         Qt::SizeFDiagCursor},
        {"6 corner", [&] { Click(At(rising.PointOf(75, 55))); }, At(rising.PointOf(80, 45)),
         Qt::SizeFDiagCursor},
        {"5 other corner", [&] { Click(At(falling.PointOf(89, 45))); }, At(falling.PointOf(84, 45)),
         Qt::SizeBDiagCursor},
        {"6 other corner", [&] { Click(At(falling.PointOf(89, 45))); }, At(falling.PointOf(94, 55)),
         Qt::SizeBDiagCursor},
        {"7 series", [] {}, series, Qt::BitmapCursor},
        {"date axis", [] {}, InDateStrip(0.5), Qt::SizeHorCursor},
        {"value axis", [] {}, InValueStrip(0.5), Qt::SizeVerCursor},
        {"armed", [&] { Tracker().Arm(CLine::kTypeCode); }, body, Qt::BitmapCursor},
        {"armed on the axis", [&] { Tracker().Arm(CLine::kTypeCode); }, InValueStrip(0.5),
         Qt::SizeVerCursor},
    };
    for (const auto& c : cases) {
        Click(InPlot(0.05, 0.1)); // nothing selected
        Tracker().Disarm();
        c.prepare();
        RepaintAll();
        Hover(InPlot(0.02, 0.02)); // from elsewhere, so the cursor has to change
        Hover(c.at);
        EXPECT_EQ(W().cursor().shape(), c.shape) << c.what;
    }
    // Moves that keep the shape do not set it again; a change of shape sets it once.
    struct SCursorChanges : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::CursorChange) ++count;
            return false;
        }
    } changes;
    Click(InPlot(0.05, 0.1));
    Hover(InPlot(0.05, 0.1));
    W().installEventFilter(&changes);
    for (int i = 0; i < 10; ++i) Hover(InPlot(0.05 + 0.01 * i, 0.1));
    EXPECT_EQ(changes.count, 0);
    Hover(body);
    Hover(body + QPoint(1, 0));
    EXPECT_EQ(changes.count, 1);
    W().removeEventFilter(&changes);

    // Escape disarms the tool and the cursor says so at once.
    Tracker().Arm(CLine::kTypeCode);
    Hover(InPlot(0.05, 0.1));
    ASSERT_EQ(W().cursor().pixmap().cacheKey(),
              PaneCursors::Image(PaneCursors::EGlyph::Draw, scale).cacheKey());
    EXPECT_EQ(W().cursor().hotSpot(), PaneCursors::kDrawHotSpot);
    QTest::keyClick(&W(), Qt::Key_Escape);
    EXPECT_EQ(W().cursor().shape(), Qt::CrossCursor);
}

// The images themselves: their size and ratio, the tip on the hot spot, black and white.
TEST_F(PaneWidgetTest, CursorImagesHaveTheirTipOnTheHotSpotAtBothScales) {
    const QString folder = KeepFolder();
    for (const auto glyph : {PaneCursors::EGlyph::PriceSeries, PaneCursors::EGlyph::Curve}) {
        for (const int scale : {1, 2}) {
            const QPixmap& pixmap = PaneCursors::Image(glyph, scale);
            const std::string row =
                std::to_string(static_cast<int>(glyph)) + " x" + std::to_string(scale);
            EXPECT_EQ(pixmap.size(), QSize(32, 32) * scale) << row;
            EXPECT_EQ(pixmap.devicePixelRatio(), scale) << row;
            const QImage image = pixmap.toImage();
            // The arrow's black starts at the hot spot: none left of it or above it.
            const QPoint tip = PaneCursors::kHotSpot * scale;
            EXPECT_EQ(image.pixelColor(tip + QPoint(scale / 2, scale / 2)).alpha(), 255) << row;
            int left = image.width(), top = image.height();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() == 255 && c.lightness() < 80) {
                        left = std::min(left, x);
                        top = std::min(top, y);
                    }
                }
            EXPECT_GE(left, tip.x()) << row;
            EXPECT_LE(left, tip.x() + scale) << row;
            EXPECT_GE(top, tip.y()) << row;
            EXPECT_LE(top, tip.y() + scale) << row;
            int black = 0, white = 0, glyphBlack = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() < 255) continue;
                    if (c.lightness() < 40) ++black;
                    if (c.lightness() > 215) ++white;
                    if (c.lightness() < 40 && x > 14 * scale && y > 14 * scale) ++glyphBlack;
                }
            EXPECT_GT(black, 40 * scale * scale) << row;
            EXPECT_GT(white, 40 * scale * scale) << row;
            EXPECT_GT(glyphBlack, 10 * scale * scale) << row; // the glyph below the arrow
            if (!folder.isEmpty())
                image.save(folder +
                           QString("/cursor-%1-x%2.png")
                               .arg(glyph == PaneCursors::EGlyph::Curve ? "curve" : "series")
                               .arg(scale));
        }
    }
    // The pencil's black point sits on its hot spot, bottom left.
    for (const int scale : {1, 2}) {
        const QImage pencil = PaneCursors::Image(PaneCursors::EGlyph::Draw, scale).toImage();
        const QColor point =
            pencil.pixelColor(PaneCursors::kDrawHotSpot * scale + QPoint(scale / 2, scale / 2));
        EXPECT_GT(point.alpha(), 128) << scale;
        EXPECT_LT(point.lightness(), 100) << scale;
        EXPECT_EQ(pencil.pixelColor(2 * scale, 2 * scale).alpha(), 0) << scale;
    }
    // To be looked at: each image magnified on a light, a mid-grey and a dark pane.
    if (!folder.isEmpty()) {
        QImage sheet(6 * 256, 3 * 256, QImage::Format_RGB32);
        QPainter painter(&sheet);
        const QColor backgrounds[] = {QColor(255, 255, 255), QColor(128, 128, 128),
                                      QColor(20, 20, 60)};
        int column = 0;
        for (const auto glyph : {PaneCursors::EGlyph::PriceSeries, PaneCursors::EGlyph::Curve,
                                  PaneCursors::EGlyph::Draw})
            for (const int scale : {1, 2}) {
                QImage image = PaneCursors::Image(glyph, scale).toImage();
                image.setDevicePixelRatio(1);
                for (int row = 0; row < 3; ++row) {
                    const QRect cell(column * 256, row * 256, 256, 256);
                    painter.fillRect(cell, backgrounds[row]);
                    painter.drawImage(cell, image);
                }
                ++column;
            }
        painter.end();
        sheet.save(folder + "/cursor-sheet.png");
    }
    EXPECT_EQ(PaneCursors::ScaleFor(1.0), 1);
    EXPECT_EQ(PaneCursors::ScaleFor(1.25), 1);
    EXPECT_EQ(PaneCursors::ScaleFor(1.5), 2);
    EXPECT_EQ(PaneCursors::ScaleFor(2.0), 2);
    // The cursor for a ratio is the image of its scale with the hot spot in logical pixels.
    const QCursor& sharp = PaneCursors::Cursor(PaneCursors::EGlyph::Curve, 2.0);
    EXPECT_EQ(sharp.pixmap().cacheKey(),
              PaneCursors::Image(PaneCursors::EGlyph::Curve, 2).cacheKey());
    EXPECT_EQ(sharp.hotSpot(), QPoint(1, 1));
}

// ---- The crosshair -----------------------------------------------------------------------

TEST_F(PaneWidgetTest, TheCrosshairFollowsTheMouseAcrossPanesWithoutALayout) {
    Open();
    for (CPaneWidget* widget : widgets) widget->SetCrosshair(true);
    Settle();
    std::vector<int> renders, copies;
    for (CPaneWidget* widget : widgets) {
        renders.push_back(widget->Counters().renders);
        copies.push_back(widget->Counters().imageCopies);
    }
    for (int step = 0; step < 6; ++step) {
        const int pane = step % kPanes;
        Hover(InPlot(0.1 + 0.13 * step, 0.3 + 0.1 * step, pane), pane);
        Settle();
        for (int p = 0; p < kPanes; ++p) {
            EXPECT_EQ(W(p).Counters().renders, renders[p]) << step << " pane " << p;
            EXPECT_GT(W(p).Counters().imageCopies, copies[p]) << step << " pane " << p;
            copies[p] = W(p).Counters().imageCopies;
        }
    }
    if (const QString folder = KeepFolder(); !folder.isEmpty())
        host->grab().save(folder + "/pane-widgets-crosshair.png");

    // The line through the bar is drawn in every pane, over the kept image.
    const QPoint last = InPlot(0.75, 0.8, 2);
    for (int p = 0; p < kPanes; ++p) {
        const int x = View(p).BarToX(static_cast<float>(View(2).XToBar(last.x())));
        const QImage image = W(p).grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        // The dotted line is one device pixel wide: its column is x's first device column.
        const int column = static_cast<int>(x * ratio);
        int dots = 0;
        for (int y = static_cast<int>(View(p).plotRect.top * ratio);
             y <= static_cast<int>(View(p).plotRect.bottom * ratio); ++y)
            if (image.pixelColor(column, y) == QColor(96, 96, 96)) ++dots;
        EXPECT_GT(dots, View(p).plotRect.Height() * ratio / 4) << p;
    }

    // What reached the screen: the repaints copied back only what the crosshair covered,
    // and the line left behind is gone there too. (The offscreen platform grabs a scaled
    // window at its logical size, one corner of it: read the screen at scale 1 only.)
    const auto grabScreen = [&] {
        return host->windowHandle()->screen()->grabWindow(host->winId()).toImage();
    };
    if (W().devicePixelRatioF() != 1.0 || grabScreen().size() != host->size()) return;
    const auto onScreen = [&](int pane, int bar) {
        const QImage screen = grabScreen();
        const QPoint origin = W(pane).mapTo(host.get(), QPoint(0, 0));
        const int column = origin.x() + View(pane).BarToX(bar);
        int dots = 0;
        for (int y = View(pane).plotRect.top + origin.y();
             y <= View(pane).plotRect.bottom + origin.y(); ++y)
            if (screen.pixelColor(column, y) == QColor(96, 96, 96)) ++dots;
        return dots;
    };
    Hover(QPoint(View(0).BarToX(20), InPlot(0, 0.5).y()));
    Settle();
    const int plotRows = View(0).plotRect.Height();
    EXPECT_GT(onScreen(0, 20), plotRows / 8);
    EXPECT_GT(onScreen(2, 20), View(2).plotRect.Height() / 8);
    Hover(QPoint(View(0).BarToX(60), InPlot(0, 0.5).y()));
    Settle();
    EXPECT_EQ(onScreen(0, 20), 0);
    EXPECT_EQ(onScreen(2, 20), 0);
    EXPECT_GT(onScreen(0, 60), plotRows / 8);
}

} // namespace
