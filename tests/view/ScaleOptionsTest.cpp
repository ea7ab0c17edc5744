#include "ViewTestSupport.h"
#include "view/CZentriStockView.h"
#include "view/ScaleTicks.h"

namespace {

class ScaleOptionsTest : public ViewTest {
protected:
    // A price pane whose plot is 400 pixels high, from row 39 to row 439.
    CZentriStockView& DrawnView(int cellMaxY) {
        stock->ViewPar(0).cellMaxY = cellMaxY;
        view =
            std::make_unique<CZentriStockView>(*stock, 0, CZentriStockView::DefaultAxisSettings());
        view->SetClientSize(800, 462);
        dc.Clear();
        view->OnDraw(dc);
        return *view;
    }
    static std::vector<float> Values(const CTickTable& ticks) {
        return {ticks.values.begin(), ticks.values.begin() + ticks.count};
    }
    static std::vector<int> Rows(const CTickTable& ticks) {
        return {ticks.positions.begin(), ticks.positions.begin() + ticks.count};
    }
    CRecordingDC dc;
    std::unique_ptr<CZentriStockView> view;
};

TEST(RoundTicksTest, EveryTickIsAWholeMultipleOfTheStep) {
    // 400 pixels in cells of 80: five rows, so the step is the range's mantissa over 5 made
    // nice, times the range's power of ten.
    const struct {
        float yMin, yRange;
        std::vector<float> ticks;
    } cases[] = {
        {1.2345f, 0.0012f, {1.2346f, 1.2348f, 1.235f, 1.2352f, 1.2354f, 1.2356f}},
        {0.31f, 0.05f, {0.31f, 0.32f, 0.33f, 0.34f, 0.35f, 0.36f}},
        {-0.45f, 0.9f, {-0.4f, -0.2f, 0.0f, 0.2f, 0.4f}},
        {7.5f, 3.0f, {7.5f, 8.0f, 8.5f, 9.0f, 9.5f, 10.0f, 10.5f}},
        {90.44f, 10.0f, {92, 94, 96, 98, 100}},
        {12.3f, 47.0f, {20, 30, 40, 50}},
        {1013.0f, 250.0f, {1050, 1100, 1150, 1200, 1250}},
        {0.0f, 1000.0f, {0, 200, 400, 600, 800, 1000}},
        {123456.0f, 77000.0f, {140000, 160000, 180000, 200000}},
        {2.5e6f, 3e6f, {2.5e6f, 3e6f, 3.5e6f, 4e6f, 4.5e6f, 5e6f, 5.5e6f}},
        {-3e7f, 1.2e8f, {-2e7f, 0.0f, 2e7f, 4e7f, 6e7f, 8e7f}},
        {1e9f, 5e9f, {1e9f, 2e9f, 3e9f, 4e9f, 5e9f, 6e9f}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleTicks::RoundYTicks(c.yMin, c.yRange, 400, 80), c.ticks)
            << c.yMin << " + " << c.yRange;
    // The bottom value's ticks of the same scale start at 90.44.
    EXPECT_FLOAT_EQ(ScaleTicks::ComputeYTicks(90.44f, 10.0f, 400, 80).first, 90.44f);
    // No range, no ticks; a step that cannot be made nice neither.
    EXPECT_TRUE(ScaleTicks::RoundYTicks(5.0f, 0.0f, 400, 80).empty());
    EXPECT_TRUE(ScaleTicks::RoundYTicks(5.0f, -1.0f, 400, 80).empty());
    // A tiny cell asks for more than the table holds: cut to its 50 entries.
    const std::vector<float> crowded = ScaleTicks::RoundYTicks(0.0f, 9.9f, 400, 1);
    ASSERT_EQ(crowded.size(), 50u);
    EXPECT_EQ(crowded.back(), 4.9f);
}

TEST_F(ScaleOptionsTest, LogScaleFromOneToAThousandTicksAndMapsInDecades) {
    MakeStock(Bars(100, 1, 1000));
    stock->ViewPar(0).SetLogScale(true);
    const struct {
        int cellMaxY;
        std::vector<float> values;
        std::vector<int> rows;
    } cases[] = {
        // Eight rows for three decades: the powers of ten.
        {50, {1, 10, 100, 1000}, {439, 305, 172, 39}},
        // Ten rows leave room for 2 and 5 in every decade.
        {40,
         {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000},
         {439, 398, 345, 305, 265, 212, 172, 132, 79, 39}},
        // Two rows: every second power.
        {200, {1, 100}, {439, 172}},
    };
    for (const auto& c : cases) {
        CZentriStockView& v = DrawnView(c.cellMaxY);
        ASSERT_TRUE(v.logScale);
        EXPECT_EQ(Values(v.yTicks), c.values) << c.cellMaxY;
        EXPECT_EQ(Rows(v.yTicks), c.rows) << c.cellMaxY;
    }
    // Equal ratios take equal heights: the middle row is the geometric mean.
    EXPECT_EQ(view->ValueToY(31.622776f), 239);
    EXPECT_FLOAT_EQ(view->YToValue(239), 31.622776f);
    EXPECT_FLOAT_EQ(view->YToValue(139), 177.82794f);
    EXPECT_EQ(view->ValueToY(1000), 39);
    // The price bars are drawn on the same scale: the series maps as the pane does.
    EXPECT_EQ(stock->ValueToY(31.622776f), 239);
    EXPECT_FLOAT_EQ(stock->YToValue(139), 177.82794f);

    // Switched off, the same pane is linear again.
    stock->ViewPar(0).SetLogScale(false);
    CZentriStockView& linear = DrawnView(50);
    EXPECT_FALSE(linear.logScale);
    EXPECT_EQ(linear.ValueToY(31.622776f), 426);
    EXPECT_EQ(stock->ValueToY(31.622776f), 426);
}

TEST_F(ScaleOptionsTest, APaneWithAValueAtOrBelowZeroStaysLinearAndSaysSo) {
    const std::string refused = "The price pane holds values at or below 0, which have no "
                                "logarithm: it keeps a linear scale.";
    const struct {
        float low;
        std::string notice;
    } cases[] = {{0.0f, refused}, {-5.0f, refused}, {0.5f, ""}};
    for (const auto& c : cases) {
        MakeStock(Bars(100, c.low, 50));
        CZentriStockView& plain = DrawnView(80);
        const std::vector<float> linearTicks = Values(plain.yTicks);
        const int linearRow = plain.ValueToY(25);
        stock->ViewPar(0).SetLogScale(true);
        CZentriStockView& v = DrawnView(80);
        EXPECT_EQ(v.logScale, c.notice.empty()) << c.low;
        EXPECT_EQ(v.ScaleNotice(), c.notice) << c.low;
        int shown = 0;
        for (const auto& text : dc.OpsOf(CRecordingDC::kText)) shown += text.text == c.notice;
        EXPECT_EQ(shown, c.notice.empty() ? 0 : 1) << c.low;
        if (c.notice.empty()) continue;
        EXPECT_EQ(Values(v.yTicks), linearTicks) << c.low;
        EXPECT_EQ(v.ValueToY(25), linearRow) << c.low;
    }
    EXPECT_EQ(CViewPar::LinearScaleNotice(2),
              "Pane 2 holds values at or below 0, which have no logarithm: it keeps a linear "
              "scale.");
}

TEST_F(ScaleOptionsTest, RoundTicksOnlyWhereTheRecordAsksForThem) {
    MakeStock(Bars(100, 90.44f, 100.44f));
    const struct {
        uint8_t stored;
        std::vector<float> values;
    } cases[] = {
        {CViewPar::kRoundTicksUnset, {90.44f, 92.44f, 94.44f, 96.44f, 98.44f}},
        {CViewPar::kRoundTicksOff, {90.44f, 92.44f, 94.44f, 96.44f, 98.44f}},
        {CViewPar::kRoundTicksOn, {92, 94, 96, 98, 100}},
    };
    for (const auto& c : cases) {
        stock->ViewPar(0).flagBytes[CViewPar::kRoundTicksByte] = c.stored;
        const std::vector<float> values = Values(DrawnView(80).yTicks);
        ASSERT_EQ(values.size(), c.values.size()) << int{c.stored};
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_FLOAT_EQ(values[i], c.values[i]) << int{c.stored} << " " << i;
    }
    int labelled = 0;
    for (const auto& text : dc.OpsOf(CRecordingDC::kText))
        labelled += text.text == "92.00" || text.text == "100.0";
    EXPECT_EQ(labelled, 2);
}

} // namespace
