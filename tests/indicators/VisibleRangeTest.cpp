#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"

namespace {

class VisibleRangeTest : public IndicatorsTest {
protected:
    // Ten bars with closes 10..19 (highs one above, lows one below).
    VisibleRangeTest() {
        std::vector<float> closes;
        for (int i = 0; i < 10; ++i) closes.push_back(10.0f + static_cast<float>(i));
        Fill(stock, BarsOfCloses(closes));
    }

    // A curve in `pane` holding `values`.
    void AddCurve(int pane, std::vector<float> values) {
        auto curve = std::make_unique<CCurve>();
        curve->values = std::move(values);
        CStockPanes::InstallIn(stock).PaneAt(pane).AddCurve(std::move(curve));
    }

    CStock stock;
};

TEST_F(VisibleRangeTest, PricePaneCurvesWidenTheRangeWithinTheWindowOnly) {
    //                 0    1     2    3    4    5    6         7    8    9
    AddCurve(0, {500.0f, 8.0f, 30.0f, 9.0f, 12, 13, kInvalid, 14, 15, -100.0f});
    stock.ShiftWindow(2, -1, false); // bars 2 .. 8
    ASSERT_EQ(stock.WindowFirst(), 2);
    ASSERT_EQ(stock.WindowEnd(), 9);
    EXPECT_EQ(stock.VisibleHigh(), 30.0f);
    EXPECT_EQ(stock.VisibleLow(), 9.0f);
}

TEST_F(VisibleRangeTest, CurvesInsideThePriceRangeChangeNothing) {
    AddCurve(0, std::vector<float>(10, 15.0f));
    stock.ResetWindow();
    EXPECT_EQ(stock.VisibleHigh(), 20.0f);
    EXPECT_EQ(stock.VisibleLow(), 9.0f);
}

TEST_F(VisibleRangeTest, InvalidOrMissingValuesDoNotWidenTheRange) {
    AddCurve(0, std::vector<float>(10, kInvalid));
    AddCurve(0, {-kInvalid, 11.0f}); // shorter than the series
    stock.ResetWindow();
    EXPECT_EQ(stock.VisibleHigh(), 20.0f);
    EXPECT_EQ(stock.VisibleLow(), 9.0f);
}

TEST_F(VisibleRangeTest, SubPaneCurvesSetTheirOwnRangeNotThePrices) {
    AddCurve(1, {-3.0f, 7.0f, 1000.0f, 2.0f, 0, 0, 0, 0, 0, 0});
    stock.ShiftWindow(0, -8, false); // bars 0 .. 1
    EXPECT_EQ(stock.VisibleHigh(), 12.0f);
    EXPECT_EQ(stock.VisibleLow(), 9.0f);
    const CTCurve& pane = PaneOf(stock, 1);
    ASSERT_TRUE(pane.HasRange());
    EXPECT_EQ(pane.RangeMax(), 7.0f);
    EXPECT_EQ(pane.RangeMin(), -3.0f);
    EXPECT_FALSE(pane.HasSecondRange());
}

TEST_F(VisibleRangeTest, BollingerBandsWidenThePricePane) {
    std::vector<float> closes;
    for (int i = 0; i < 40; ++i) closes.push_back(i % 2 ? 30.0f : 10.0f);
    Fill(stock, BarsOfCloses(closes));
    BuildIndicator(stock, "BOL", 0, false, true);
    stock.ResetWindow();
    const auto& upper = PaneOf(stock, 0).Curves()[0]->values;
    EXPECT_EQ(stock.VisibleHigh(), *std::max_element(upper.begin() + 20, upper.end()));
    EXPECT_GT(stock.VisibleHigh(), 31.0f);
    EXPECT_LT(stock.VisibleLow(), 9.0f);
}

} // namespace
