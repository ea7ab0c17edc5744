#include "ctlkit/dc/CRecordingDC.h"
#include "element/CElementOwner.h"
#include "quotes/SQuote.h"
#include "series/CCurve.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr float kInf = kInvalid;
constexpr COLORREF kRiseLine = MakeRGB(255, 0, 0);
constexpr COLORREF kFallLine = MakeRGB(0, 150, 150);
constexpr COLORREF kRiseFill = MakeRGB(255, 200, 200);
constexpr COLORREF kFallFill = MakeRGB(0, 50, 50);
constexpr COLORREF kCurveColour = MakeRGB(0, 0, 255);
constexpr COLORREF kFill = MakeRGB(1, 2, 3);

// Bars alternate rising (even index) and falling (odd index); bar 4 has open = close.
class CFakeOwner : public CElementOwner {
public:
    CFakeOwner() {
        for (int i = 0; i < 10; ++i) {
            SQuote q;
            q.open = i % 2 == 0 ? 1.0f : 2.0f;
            q.close = i % 2 == 0 ? 2.0f : 1.0f;
            bars.push_back(q);
        }
        bars[4].close = bars[4].open;
    }
    const std::vector<SQuote>* PriceBars() const override { return &bars; }
    bool PriceLook(SPriceLook& look) const override {
        look = SPriceLook{kRiseFill, kFallFill, kRiseLine, kFallLine, 0, 2};
        return true;
    }
    std::vector<SQuote> bars;
};

// Plot 0..100 x 0..100 showing values -10..10 over bars 0..10: bar i is at x = 10 i + 5,
// value v at y = 50 - 5 v.
CRecordingDC DrawCurve(CCurve& curve, bool withOwner = true) {
    static CFakeOwner owner;
    curve.owner = withOwner ? &owner : nullptr;
    curve.colour = kCurveColour;
    curve.fillColour = kFill;
    CRecordingDC dc;
    curve.Draw(dc, 10.0f, -10.0f, 0, 10, CRect{0, 0, 100, 100});
    return dc;
}

CurvePtr CurveOf(int kind, std::vector<float> values) {
    auto curve = std::make_unique<CCurve>();
    curve->drawKind = kind;
    curve->values = std::move(values);
    return curve;
}

std::vector<CPoint> Points(std::initializer_list<CPoint> list) {
    return list;
}

} // namespace

TEST(CurvePainter, LineKindsBreakAroundMissingValuesInTheirPenStyle) {
    for (int kind = 1; kind <= 5; ++kind) {
        CurvePtr held = CurveOf(kind, {kInf, kInf, 5, -5, kInf, 0, 2.5f, 10});
        CCurve& curve = *held;
        curve.lineWidth = 3;
        CRecordingDC dc = DrawCurve(curve);
        const auto lines = dc.OpsOf(CRecordingDC::kPolyline);
        ASSERT_EQ(lines.size(), 2u) << kind;
        EXPECT_EQ(lines[0].points, Points({{25, 25}, {35, 75}})) << kind;
        EXPECT_EQ(lines[1].points, Points({{55, 50}, {65, 37}, {75, 0}})) << kind;
        EXPECT_EQ(lines[0].pen, (SPen{kind - 1, 3, kCurveColour})) << kind;
        // One square marker per value, centred on it.
        const auto markers = dc.OpsOf(CRecordingDC::kRectangle);
        ASSERT_EQ(markers.size(), 5u) << kind;
        EXPECT_EQ(markers[0].rect, (CRect{24, 24, 27, 27})) << kind;
        EXPECT_EQ(markers[4].rect, (CRect{74, -1, 77, 2})) << kind;
    }
}

TEST(CurvePainter, ValuesOnTheSameSpotShareOneMarker) {
    // 400 bars on 100 pixels in steps of 40 equal values: many land where the last one did.
    std::vector<float> values(400);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i / 40) - 5;
    CurvePtr held = CurveOf(1, values);
    CCurve& curve = *held;
    curve.colour = kCurveColour;
    CRecordingDC dc;
    curve.Draw(dc, 10.0f, -10.0f, 0, 400, CRect{0, 0, 100, 100});
    const auto lines = dc.OpsOf(CRecordingDC::kPolyline);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 400u);
    std::vector<CRect> expected;
    for (std::size_t i = 0; i < lines[0].points.size(); ++i) {
        const CPoint& p = lines[0].points[i];
        if (i > 0 && p.x == lines[0].points[i - 1].x && p.y == lines[0].points[i - 1].y) continue;
        expected.push_back(CRect{p.x - 1, p.y - 1, p.x + 2, p.y + 2});
    }
    std::vector<CRect> markers;
    for (const auto& op : dc.OpsOf(CRecordingDC::kRectangle)) markers.push_back(op.rect);
    EXPECT_EQ(markers, expected);
    EXPECT_LT(markers.size(), 200u);
}

TEST(CurvePainter, LoneValueBetweenGapsGetsOnlyItsMarker) {
    CurvePtr held = CurveOf(1, {kInf, 3, kInf});
    CCurve& curve = *held;
    CRecordingDC dc = DrawCurve(curve);
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kPolyline).empty());
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kRectangle).size(), 1u);
}

TEST(CurvePainter, DotKindDrawsRoundDotsWithoutLine) {
    CurvePtr held = CurveOf(0, {1, kInf, -1});
    CCurve& curve = *held;
    CRecordingDC dc = DrawCurve(curve);
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kPolyline).empty());
    const auto dots = dc.OpsOf(CRecordingDC::kEllipse);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].rect, (CRect{3, 43, 8, 48}));
    EXPECT_EQ(dots[1].rect, (CRect{23, 53, 28, 58}));
    EXPECT_EQ(dots[0].brush.colour, kCurveColour);
}

struct SStickCase {
    int kind;
    int baseRow;
    bool byBar;
};

TEST(CurvePainter, StickKindsRunFromTheirBaseRowToTheValueInclusive) {
    // 6/7 start at the plot's last row, 8/9 at the row of value 0.
    for (const SStickCase& c : {SStickCase{6, 99, false}, SStickCase{7, 99, true},
                                SStickCase{8, 50, false}, SStickCase{9, 50, true}}) {
        CurvePtr held = CurveOf(c.kind, {4, -4, kInf, 100});
        CCurve& curve = *held;
        CRecordingDC dc = DrawCurve(curve);
        const auto lines = dc.OpsOf(CRecordingDC::kLine);
        ASSERT_EQ(lines.size(), 3u) << c.kind;
        // Value 4 is row 30, -4 is row 70, 100 is cut to the plot's top row.
        const int y0 = 30, y1 = 70, y3 = 0;
        auto endOf = [&](int y) { return y <= c.baseRow ? y - 1 : y + 1; };
        EXPECT_EQ(lines[0].points, Points({{5, c.baseRow}, {5, endOf(y0)}})) << c.kind;
        EXPECT_EQ(lines[1].points, Points({{15, c.baseRow}, {15, endOf(y1)}})) << c.kind;
        EXPECT_EQ(lines[2].points, Points({{35, c.baseRow}, {35, endOf(y3)}})) << c.kind;
        EXPECT_EQ(lines[0].pen, (SPen{kPenSolid, 1, c.byBar ? kRiseLine : kCurveColour}));
        EXPECT_EQ(lines[1].pen, (SPen{kPenSolid, 1, c.byBar ? kFallLine : kCurveColour}));
    }
}

TEST(CurvePainter, ZeroRowStaysInsideThePlotWhenZeroIsNotShown) {
    CurvePtr held = CurveOf(8, {5});
    CCurve& curve = *held;
    curve.owner = nullptr;
    CRecordingDC dc;
    curve.Draw(dc, 10.0f, 2.0f, 0, 10, CRect{0, 0, 100, 100}); // 0 lies below the plot
    const auto lines = dc.OpsOf(CRecordingDC::kLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0], (CPoint{5, 99}));
}

TEST(CurvePainter, BarKindsAreAsWideAsThePriceBars) {
    struct SCase {
        int kind;
        int baseRow;
        bool byBar;
    };
    for (const SCase& c :
         {SCase{10, 99, false}, SCase{11, 99, true}, SCase{12, 50, false}, SCase{13, 50, true}}) {
        CurvePtr held = CurveOf(c.kind, {4, -4, kInf, kInf, 2});
        CCurve& curve = *held;
        CRecordingDC dc = DrawCurve(curve);
        const auto bars = dc.OpsOf(CRecordingDC::kRectangle);
        ASSERT_EQ(bars.size(), 3u) << c.kind;
        // Half-width 2 around x = 5: columns 4..6, as a candle body.
        EXPECT_EQ(bars[0].rect, (CRect{4, 30, 7, c.baseRow + 1})) << c.kind;
        const CRect second = c.baseRow == 99 ? CRect{14, 70, 17, 100} : CRect{14, 50, 17, 71};
        EXPECT_EQ(bars[1].rect, second) << c.kind;
        EXPECT_EQ(bars[0].pen.colour, c.byBar ? kRiseLine : kCurveColour) << c.kind;
        EXPECT_EQ(bars[0].brush.colour, c.byBar ? kRiseFill : kFill) << c.kind;
        EXPECT_EQ(bars[1].brush.colour, c.byBar ? kFallFill : kFill) << c.kind;
        // Bar 4 opened and closed at the same price: drawn as falling.
        EXPECT_EQ(bars[2].brush.colour, c.byBar ? kFallFill : kFill) << c.kind;
        EXPECT_EQ(bars[2].pen.width, 1);
    }
}

TEST(CurvePainter, WithoutOwnerBarKindsUseTheCurveColoursAndOnePixel) {
    CurvePtr held = CurveOf(11, {4});
    CCurve& curve = *held;
    CRecordingDC dc = DrawCurve(curve, false);
    const auto bars = dc.OpsOf(CRecordingDC::kRectangle);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].rect, (CRect{5, 30, 6, 100}));
    EXPECT_EQ(bars[0].brush.colour, kFill);
}

TEST(CurvePainter, DrawsOnlyTheVisibleBars) {
    CurvePtr held = CurveOf(6, {1, 2, 3, 4, 5, 6});
    CCurve& curve = *held;
    CRecordingDC dc;
    curve.Draw(dc, 10.0f, 0.0f, 2, 4, CRect{0, 0, 100, 100});
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kLine).size(), 2u);
}

TEST(CurvePainter, SelectedCurveGetsSpacedWhiteSquares) {
    CurvePtr held = CurveOf(1, {1, 1, 1, 1, kInf, 1});
    CCurve& curve = *held;
    curve.Select();
    CRecordingDC dc = DrawCurve(curve);
    std::vector<CRect> squares;
    for (const auto& op : dc.OpsOf(CRecordingDC::kRectangle))
        if (op.brush.colour == MakeRGB(255, 255, 255)) squares.push_back(op.rect);
    // Bars are 10 pixels apart: every second value gets a square.
    ASSERT_EQ(squares.size(), 3u);
    EXPECT_EQ(squares[0], (CRect{2, 42, 8, 48}));
    EXPECT_EQ(squares[1], (CRect{22, 42, 28, 48}));
    EXPECT_EQ(squares[2], (CRect{52, 42, 58, 48}));
}

namespace {
struct SCurveHitCase {
    const char* what;
    int kind;
    int lineWidth;
    bool withOwner;
    int x, y;
    int expected;
};
} // namespace

// Values 0, 2, 4, none, 8, -2, -4, -6, 6, 1 at (5, 50), (15, 39), (25, 30), -, (45, 10),
// (55, 60), (65, 70), (75, 80), (85, 20), (95, 45); the zero row is 50, the bottom row 99.
TEST(CurveHitTest, HitsWhatEachDrawKindDrew) {
    const SCurveHitCase cases[] = {
        {"line: on the segment", 1, 1, true, 60, 65, 8},
        {"line: one row off", 1, 1, true, 60, 66, 8},
        {"line: two rows off", 1, 1, true, 60, 67, 0},
        {"line: a wider pen is hit further off", 1, 3, true, 60, 67, 8},
        {"line: dashed kinds are hit the same", 3, 1, true, 60, 65, 8},
        {"line: a steep segment is measured across", 1, 1, true, 10, 45, 8},
        {"line: beside a steep segment", 1, 1, true, 10, 46, 0},
        {"line: broken around the missing value", 1, 1, true, 35, 20, 0},
        {"line: the marker at a value", 1, 1, true, 27, 32, 8},
        {"line: right of the last marker before the gap", 1, 1, true, 28, 30, 0},
        {"dots: the edge of a dot", 0, 1, true, 8, 50, 8},
        {"dots: past the dot", 0, 1, true, 9, 50, 0},
        {"dots: no line between them", 0, 1, true, 10, 45, 0},
        {"stick from the bottom: on it", 6, 1, true, 25, 60, 8},
        {"stick from the bottom: one pixel beside", 6, 1, true, 26, 60, 8},
        {"stick from the bottom: two pixels beside", 6, 1, true, 27, 60, 0},
        {"stick from the bottom: one row above its top", 6, 1, true, 25, 29, 8},
        {"stick from the bottom: two rows above its top", 6, 1, true, 25, 28, 0},
        {"stick from the bottom: none for a missing value", 7, 1, true, 35, 90, 0},
        {"stick from zero: below zero", 8, 1, true, 55, 55, 8},
        {"stick from zero: one row past its end", 8, 1, true, 55, 61, 8},
        {"stick from zero: two rows past its end", 8, 1, true, 55, 62, 0},
        {"stick from zero: not on the other side of zero", 9, 1, true, 55, 45, 0},
        {"stick from zero: above zero", 9, 1, true, 45, 30, 8},
        {"bar from the bottom: as wide as the price bars", 10, 1, true, 27, 60, 8},
        {"bar from the bottom: past its side", 10, 1, true, 28, 60, 0},
        {"bar from the bottom: one pixel wide without price bars", 11, 1, false, 27, 60, 0},
        {"bar from zero", 12, 1, true, 56, 58, 8},
        {"bar from zero: not across zero", 13, 1, true, 56, 40, 0},
    };
    for (const SCurveHitCase& c : cases) {
        auto curve = CurveOf(c.kind, {0, 2, 4, kInf, 8, -2, -4, -6, 6, 1});
        curve->lineWidth = c.lineWidth;
        DrawCurve(*curve, c.withOwner);
        EXPECT_EQ(curve->HitTest(c.x, c.y), c.expected) << c.what;
        EXPECT_EQ(curve->hitState, c.expected) << c.what;
    }
}

TEST(CurveHitTest, OnlyTheVisibleValuesAreHit) {
    auto curve = CurveOf(1, {0, 2, 4, 6});
    CRecordingDC dc;
    // Bars 2 to 9 over 80 pixels: bar 2 at x = 5, bars 0 and 1 are not drawn.
    curve->Draw(dc, 10.0f, -10.0f, 2, 10, CRect{0, 0, 80, 100});
    EXPECT_EQ(curve->HitTest(10, 25), 8); // between bars 2 and 3 (rows 30 and 20)
    EXPECT_EQ(curve->HitTest(-10, 45), 0);
}
