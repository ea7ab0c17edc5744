#include "ToolTestSupport.h"
#include "tools/CArrow.h"
#include "tools/CEllipse.h"
#include "tools/CIco.h"
#include "tools/CRectangle.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/ElementFactory.h"
#include "tools/IconStrip.h"
#include <gtest/gtest.h>

using namespace ExactPane;

TEST(Rectangle, DrawnEitherWayIsTheSameHollowOutline) {
    auto forward = Between<CRectangle>(100, 100, 200, 150);
    auto backward = Between<CRectangle>(200, 150, 100, 100);
    CRecordingDC a, b;
    DrawIn(forward, a);
    DrawIn(backward, b);
    ASSERT_EQ(a.OpsOf(CRecordingDC::kRectangle).size(), 1u);
    EXPECT_EQ(a.OpsOf(CRecordingDC::kRectangle)[0].rect, (CRect{100, 100, 200, 150}));
    EXPECT_EQ(b.OpsOf(CRecordingDC::kRectangle)[0].rect, (CRect{100, 100, 200, 150}));
    EXPECT_TRUE(a.OpsOf(CRecordingDC::kRectangle)[0].brush.hollow);
}

TEST(Rectangle, HitTestGivesEachCornerItsCodeAndTheOutlineAsBody) {
    struct Case {
        bool selected;
        int x, y, expected;
    };
    const Case cases[] = {
        {true, 101, 99, 3},   {true, 199, 151, 4},  {true, 100, 150, 5}, {true, 200, 100, 6},
        {true, 150, 100, 2},  {true, 200, 125, 2},  {true, 150, 125, 0}, {false, 100, 150, 1},
        {false, 150, 151, 1}, {false, 150, 152, 0},
    };
    for (const Case& c : cases) {
        auto rect = Between<CRectangle>(100, 100, 200, 150);
        CRecordingDC dc;
        DrawIn(rect, dc);
        if (c.selected) rect.Select();
        EXPECT_EQ(rect.HitTest(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(Rectangle, CornerDragsSetTheMatchingCoordinates) {
    auto rect = Between<CRectangle>(100, 100, 200, 150);
    rect.DragHandle(5, 90, 20);
    EXPECT_FLOAT_EQ(rect.x1, 90);
    EXPECT_FLOAT_EQ(rect.y2, 20);
    rect.DragHandle(6, 210, 30);
    EXPECT_FLOAT_EQ(rect.x2, 210);
    EXPECT_FLOAT_EQ(rect.y1, 30);
}

TEST(Ellipse, InscribedInTheAnchorsRectangleAndHitOnItsOutline) {
    auto ellipse = Between<CEllipse>(100, 100, 200, 150);
    CRecordingDC dc;
    DrawIn(ellipse, dc);
    ASSERT_EQ(dc.OpsOf(CRecordingDC::kEllipse).size(), 1u);
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kEllipse)[0].rect, (CRect{100, 100, 200, 150}));
    EXPECT_EQ(ellipse.HitTest(150, 100), 1);
    EXPECT_EQ(ellipse.HitTest(200, 125), 1);
    EXPECT_EQ(ellipse.HitTest(150, 125), 0);
    EXPECT_EQ(ellipse.HitTest(105, 105), 0); // the box corner is off the ellipse
    ellipse.Select();
    EXPECT_EQ(ellipse.HitTest(100, 150), 5);
}

TEST(Triangle, DrawsThreeSidesAndTakesTheThirdPointsHandle) {
    CTriangle triangle;
    triangle.SetAnchor(100, 412, 1); // pixel (100, 100)
    triangle.SetPoint2(200, 412);
    triangle.DragHandle(5, 150, 312); // pixel (150, 200)
    CRecordingDC dc;
    DrawIn(triangle, dc);
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].points, (std::vector<CPoint>{{200, 100}, {150, 200}}));
    EXPECT_EQ(triangle.HitTest(125, 150), 1);
    triangle.Select();
    EXPECT_EQ(triangle.HitTest(151, 199), 5);
}

TEST(Arrow, HeadIsAFilledTriangleAtTheSecondAnchor) {
    auto arrow = Between<CArrow>(100, 100, 200, 100);
    arrow.color = 0x0000FF;
    CRecordingDC dc;
    DrawIn(arrow, dc);
    const auto heads = dc.OpsOf(CRecordingDC::kPolygon);
    ASSERT_EQ(heads.size(), 1u);
    // Shaft 100 long: head 20 long, 20 wide at its base.
    EXPECT_EQ(heads[0].points, (std::vector<CPoint>{{200, 100}, {180, 110}, {180, 90}}));
    EXPECT_EQ(heads[0].brush, (SBrush{0x0000FF, false}));
    arrow.headFlag = 0;
    dc.Clear();
    DrawIn(arrow, dc);
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kPolygon).empty());
}

TEST(Text, DrawnAtTheFirstAnchorTransparentLineByLineAndHitInItsBox) {
    CText text;
    text.x1 = 100;
    text.y1 = 412;
    text.text = "Top\nsecond";
    CRecordingDC dc;
    DrawIn(text, dc);
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0], (CPoint{100, 100}));
    EXPECT_EQ(texts[1].points[0], (CPoint{100, 115}));
    EXPECT_EQ(texts[1].text, "second");
    EXPECT_EQ(texts[0].bkMode, kTransparent);
    EXPECT_EQ(texts[0].textColour, 0x808080u);
    EXPECT_EQ(text.TextBox(), (CRect{100, 100, 136, 130})); // 6 pixels a character
    EXPECT_EQ(text.HitTest(130, 120), 1);
    EXPECT_EQ(text.HitTest(140, 120), 0);
}

TEST(Icon, ToolCodeSixtyShowsImageNineWithWhiteTransparent) {
    std::unique_ptr<CSymbol> element = CreateToolElement(60);
    auto* icon = dynamic_cast<CIco*>(element.get());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->iconNumber, 9);
    EXPECT_EQ(icon->TypeCode(), 29);
    icon->x1 = 100;
    icon->y1 = 412;
    CRecordingDC dc;
    DrawIn(*icon, dc);
    const auto images = dc.OpsOf(CRecordingDC::kImage);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, (CRect{162, 0, 180, 18}));
    EXPECT_EQ(images[0].points[0], (CPoint{100, 100}));
    EXPECT_EQ(images[0].colour, 0xFFFFFFu);
    EXPECT_EQ(icon->HitTest(117, 117), 1);
    EXPECT_EQ(icon->HitTest(118, 100), 0);
}

TEST(IconStrip, FortyIconsEachDrawnInsideItsOwnCell) {
    const SImage& strip = IconStrip::Image();
    ASSERT_EQ(strip.width, 720);
    ASSERT_EQ(strip.height, 18);
    for (int icon = 0; icon < 40; ++icon) {
        int drawn = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x)
                if (strip.At(icon * 18 + x, y) != 0xFFFFFF) ++drawn;
        EXPECT_GT(drawn, 25) << icon;
        EXPECT_LT(drawn, 18 * 18 - 40) << icon; // white is left around it
    }
}
