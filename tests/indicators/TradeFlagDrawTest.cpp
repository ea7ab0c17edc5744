#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CTradeFlag.h"
#include "indicators/TradeFlagPainter.h"
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

// Plot 0..100 x 0..100 showing 0..10 over bars 0..10: bar i at x = 10 i + 5, value 5 at 50.
CRecordingDC DrawFlags(int direction, int symbol, std::vector<float> values) {
    CTradeFlag flag;
    flag.direction = direction;
    flag.symbol = symbol;
    flag.colour = MakeRGB(0, 255, 0);
    flag.values = std::move(values);
    CRecordingDC dc;
    flag.Draw(dc, 10.0f, 0.0f, 0, 10, CRect{0, 0, 100, 100});
    return dc;
}

} // namespace

TEST(TradeFlagDraw, MarksOnlyBarsWithAFinitePrice) {
    const float inf = std::numeric_limits<float>::infinity();
    CRecordingDC dc = DrawFlags(CTradeFlag::kBuy, 7, {0, 5, 0, inf, 2.5f});
    const auto squares = dc.OpsOf(CRecordingDC::kRectangle);
    ASSERT_EQ(squares.size(), 2u);
    // Buy: the 9-pixel square starts two rows below the price row.
    EXPECT_EQ(squares[0].rect, (CRect{11, 52, 20, 61}));
    EXPECT_EQ(squares[1].rect, (CRect{41, 77, 50, 86}));
    EXPECT_EQ(squares[0].brush.colour, MakeRGB(0, 255, 0));
    EXPECT_EQ(squares[0].pen.colour, MakeRGB(0, 255, 0));
}

TEST(TradeFlagDraw, SellMarkersSitAboveThePrice) {
    CRecordingDC dc = DrawFlags(CTradeFlag::kSell, 1, {5});
    const auto circles = dc.OpsOf(CRecordingDC::kEllipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].rect, (CRect{1, 40, 10, 49}));
}

TEST(TradeFlagDraw, DrawsOnlyTheVisibleBars) {
    CTradeFlag flag;
    flag.symbol = 7;
    flag.values = {5, 5, 5, 5};
    CRecordingDC dc;
    flag.Draw(dc, 10.0f, 0.0f, 1, 3, CRect{0, 0, 100, 100});
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kRectangle).size(), 2u);
}

TEST(TradeFlagDraw, EachSymbolOfTheFlagSystemsHasItsOwnMarker) {
    using P = TradeFlagPainter;
    EXPECT_EQ(P::ShapeOf(1), P::kCircle);
    EXPECT_EQ(P::ShapeOf(7), P::kSquare);
    EXPECT_EQ(P::ShapeOf(8), P::kTriangleDown);
    EXPECT_EQ(P::ShapeOf(9), P::kTriangleUp);
    EXPECT_EQ(P::ShapeOf(12), P::kDiamond);
    EXPECT_EQ(P::ShapeOf(13), P::kArrow);
    EXPECT_EQ(P::ShapeOf(0), P::kArrow);
}

TEST(TradeFlagDraw, PolygonMarkersPointAtThePrice) {
    struct SCase {
        int direction;
        int symbol;
        std::vector<CPoint> points;
    };
    // Price row 50 at x = 5; buy markers span rows 52..60, sell markers rows 40..48.
    const std::vector<SCase> cases = {
        {CTradeFlag::kBuy, 9, {{5, 52}, {9, 60}, {1, 60}}},
        {CTradeFlag::kSell, 8, {{5, 48}, {9, 40}, {1, 40}}},
        {CTradeFlag::kBuy, 12, {{5, 52}, {9, 56}, {5, 60}, {1, 56}}},
        {CTradeFlag::kBuy, 13, {{5, 52}, {9, 56}, {7, 56}, {7, 60}, {3, 60}, {3, 56}, {1, 56}}},
        {CTradeFlag::kSell, 13, {{5, 48}, {9, 44}, {7, 44}, {7, 40}, {3, 40}, {3, 44}, {1, 44}}},
    };
    for (const SCase& c : cases) {
        CRecordingDC dc = DrawFlags(c.direction, c.symbol, {5});
        const auto polygons = dc.OpsOf(CRecordingDC::kPolygon);
        ASSERT_EQ(polygons.size(), 1u) << c.symbol;
        EXPECT_EQ(polygons[0].points, c.points) << c.symbol << " " << c.direction;
    }
}

namespace {
struct SFlagHitCase {
    const char* what;
    int direction;
    int x, y;
    int expected;
};
} // namespace

// Flags at 5 on bar 2 (x 25, row 50) and at 0 (none) on bar 4: a buy marker is centred at
// row 56, a sell marker at row 44, each 9 pixels square.
TEST(TradeFlagHitTest, HitsTheMarkerOnly) {
    const SFlagHitCase cases[] = {
        {"buy: the marker's centre", CTradeFlag::kBuy, 25, 56, 8},
        {"buy: one pixel right of the marker", CTradeFlag::kBuy, 30, 56, 8},
        {"buy: two pixels right of the marker", CTradeFlag::kBuy, 31, 56, 0},
        {"buy: one row above the marker", CTradeFlag::kBuy, 25, 51, 8},
        {"buy: at the price, above the marker", CTradeFlag::kBuy, 25, 50, 0},
        {"buy: where a sell marker would be", CTradeFlag::kBuy, 25, 44, 0},
        {"sell: the marker's centre", CTradeFlag::kSell, 25, 44, 8},
        {"sell: at the price, below the marker", CTradeFlag::kSell, 25, 50, 0},
        {"a bar without a flag", CTradeFlag::kBuy, 45, 106, 0},
    };
    for (const SFlagHitCase& c : cases) {
        CTradeFlag flag;
        flag.direction = c.direction;
        flag.symbol = 9;
        flag.values = {0, 0, 5, 0, 0, 0};
        CRecordingDC dc;
        flag.Draw(dc, 10.0f, 0.0f, 0, 10, CRect{0, 0, 100, 100});
        EXPECT_EQ(flag.HitTest(c.x, c.y), c.expected) << c.what;
        EXPECT_EQ(flag.hitState, c.expected) << c.what;
    }
}

TEST(TradeFlagDraw, ATextIsWrittenBeyondEachMarkerInTheSecondColour) {
    struct Case {
        int direction;
        const char* face; // "" for a flag without a font of its own
        int height;
        CPoint at; // where the text starts for the flag on bar 1 at value 5
    };
    // Bar 1 at x = 15, value 5 at row 50; the marker spans rows 52..60 (buy) or 40..48
    // (sell); a text of 4 characters is 4 widths wide.
    const Case cases[] = {
        {CTradeFlag::kBuy, "", 15, {15 - 12, 50 + 2 + 8 + 2}},
        {CTradeFlag::kSell, "", 15, {15 - 12, 50 - 2 - 8 - 2 - 15}},
        {CTradeFlag::kBuy, "Serif", 20, {15 - 16, 62}},
        {CTradeFlag::kSell, "Serif", 20, {15 - 16, 50 - 12 - 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.direction) + c.face);
        CTradeFlag flag;
        flag.direction = c.direction;
        flag.symbol = 7;
        flag.values = {0, 5, 0};
        flag.text = "Exit";
        flag.secondColour = MakeRGB(1, 2, 3);
        if (*c.face) {
            flag.font.lfHeight = c.height;
            flag.font.lfWidth = 8;
            std::strcpy(flag.font.lfFaceName, c.face);
        }
        CRecordingDC dc;
        flag.Draw(dc, 10.0f, 0.0f, 0, 10, CRect{0, 0, 100, 100});
        const auto texts = dc.OpsOf(CRecordingDC::kText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "Exit");
        EXPECT_EQ(texts[0].points.at(0), c.at);
        EXPECT_EQ(texts[0].textColour, MakeRGB(1, 2, 3));
        EXPECT_STREQ(texts[0].font.lfFaceName, *c.face ? c.face : "Arial");
    }
    // Without a text nothing is written.
    CRecordingDC dc = DrawFlags(CTradeFlag::kBuy, 7, {5});
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kText).empty());
}
