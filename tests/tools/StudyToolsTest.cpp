#include "ToolTestSupport.h"
#include "tools/CCycle.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGannFan.h"
#include <gtest/gtest.h>

using namespace ExactPane;

namespace {

std::vector<int> Rows(const CRecordingDC& dc) {
    std::vector<int> rows;
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) rows.push_back(op.points[0].y);
    return rows;
}

std::vector<int> Columns(const CRecordingDC& dc) {
    std::vector<int> columns;
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) columns.push_back(op.points[0].x);
    return columns;
}
} // namespace

TEST(FiboRetrace, LevelsFromHighDownToLowLieAtTheirRowsWithLabels) {
    auto retrace = Between<CFiboRetrace>(100, 100, 200, 300);
    CRecordingDC dc;
    DrawIn(retrace, dc);
    EXPECT_EQ(Rows(dc), (std::vector<int>{300, 253, 224, 200, 177, 100, -23, -223, -547}));
    EXPECT_EQ(LineEnds(dc, 3), (std::vector<CPoint>{{100, 200}, {200, 200}}));
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[4].text, "61.8%");
    EXPECT_EQ(texts[4].points[0], (CPoint{200, 177}));
    EXPECT_EQ(texts[4].textColour, 0x808080u);
    EXPECT_EQ(texts[0].text, "0.0%");
    EXPECT_EQ(texts[8].text, "423.6%");
}

TEST(FiboRetrace, LowToHighMirrorsTheLevelsAndHiddenLevelsAreSkipped) {
    auto retrace = Between<CFiboRetrace>(100, 300, 200, 100);
    retrace.levels = {{0.5f, 1}, {0.618f, 0}, {1.0f, 1}};
    CRecordingDC dc;
    DrawIn(retrace, dc);
    EXPECT_EQ(Rows(dc), (std::vector<int>{200, 300}));
}

TEST(FiboRetrace, SelectedAddsTheDottedDiagonal) {
    auto retrace = Between<CFiboRetrace>(100, 100, 200, 300);
    retrace.levels = {{0.5f, 1}};
    retrace.Select();
    CRecordingDC dc;
    DrawIn(retrace, dc);
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points, (std::vector<CPoint>{{100, 100}, {200, 300}}));
    EXPECT_EQ(lines[1].pen, (SPen{kPenDot, 1, 0}));
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kRectangle).size(), 2u);
}

TEST(FiboFan, LinesRunFromTheLeftAnchorToTheRatioRows) {
    for (const bool swapped : {false, true}) {
        auto fan =
            swapped ? Between<CFiboFan>(300, 100, 100, 300) : Between<CFiboFan>(100, 300, 300, 100);
        CRecordingDC dc;
        DrawIn(fan, dc);
        const auto lines = dc.OpsOf(CRecordingDC::kLine);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0].points, (std::vector<CPoint>{{100, 300}, {300, 176}})) << swapped;
        EXPECT_EQ(lines[1].points, (std::vector<CPoint>{{100, 300}, {300, 200}}));
        EXPECT_EQ(lines[2].points, (std::vector<CPoint>{{100, 300}, {300, 223}}));
    }
}

TEST(FiboArc, HalfCirclesAroundTheFirstAnchorOpenAwayFromTheSecond) {
    struct Case {
        int p2y;
        CPoint start, end;
    };
    // Distance 100: radii 50, 38 and 61; upper halves run right to left.
    for (const Case c : {Case{100, {250, 200}, {150, 200}}, Case{300, {150, 200}, {250, 200}}}) {
        auto arc = Between<CFiboArc>(200, 200, 200, c.p2y);
        CRecordingDC dc;
        DrawIn(arc, dc);
        const auto arcs = dc.OpsOf(CRecordingDC::kArc);
        ASSERT_EQ(arcs.size(), 3u);
        EXPECT_EQ(arcs[0].rect, (CRect{150, 150, 250, 250}));
        EXPECT_EQ(arcs[0].points, (std::vector<CPoint>{c.start, c.end})) << c.p2y;
        EXPECT_EQ(arcs[1].rect, (CRect{162, 162, 238, 238}));
        EXPECT_EQ(arcs[2].rect, (CRect{139, 139, 261, 261}));
    }
}

TEST(FiboTime, EightZonesFromBarFifty) {
    CFiboTime zones;
    zones.x1 = 50.7f;
    zones.x2 = 60;
    CRecordingDC dc;
    zones.Draw(dc, 512, 0, 0, 128, kPlot); // four pixels a bar
    std::vector<int> bars;
    for (int column : Columns(dc)) bars.push_back(column / 4);
    EXPECT_EQ(bars, (std::vector<int>{51, 51, 52, 53, 55, 58, 63, 71}));
    EXPECT_EQ(LineEnds(dc), (std::vector<CPoint>{{204, 512}, {204, 0}}));
}

TEST(FiboTime, ZoneCountRebuildsTheOffsets) {
    CFiboTime zones;
    zones.SetZoneCount(10);
    EXPECT_EQ(zones.offsets, (std::vector<uint32_t>{1, 1, 2, 3, 5, 8, 13, 21, 34, 55}));
}

TEST(GannFan, NineLinesThroughTheEighthsAndTheOneByOneTwice) {
    auto fan = Between<CGannFan>(0, 100, 80, 20);
    CRecordingDC dc;
    DrawIn(fan, dc);
    std::vector<CPoint> ends;
    for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) ends.push_back(op.points[1]);
    EXPECT_EQ(ends, (std::vector<CPoint>{{10, 20},
                                         {20, 20},
                                         {30, 20},
                                         {40, 20},
                                         {80, 20},
                                         {80, 60},
                                         {80, 70},
                                         {80, 80},
                                         {80, 90},
                                         {80, 20}}));
    for (const SPoint& stored : fan.endPoints) EXPECT_EQ(stored.y, 0); // drawing stores none
}

TEST(Cycle, LinesAtMultiplesOfTheSpacingAndOneWhenBothShareABar) {
    auto cycle = Between<CCycle>(200, 100, 210, 100);
    CRecordingDC dc;
    DrawIn(cycle, dc);
    EXPECT_EQ(Columns(dc), (std::vector<int>{170, 180, 190, 200, 210, 220, 230}));
    auto single = Between<CCycle>(200, 100, 200, 300);
    dc.Clear();
    DrawIn(single, dc);
    EXPECT_EQ(Columns(dc), (std::vector<int>{200}));
}
