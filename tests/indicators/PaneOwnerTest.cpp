#include "IndicatorsTestSupport.h"
#include "tools/CLine.h"
#include <memory>

namespace {
std::vector<SQuote> ThreeBars() {
    std::vector<SQuote> bars(3);
    for (int i = 0; i < 3; ++i) {
        bars[i].date = 86400 * (i + 1);
        bars[i].open = 10.0f + i;
        bars[i].high = 12.0f + i;
        bars[i].low = 9.0f + i;
        bars[i].close = 11.0f + i;
    }
    return bars;
}
} // namespace

TEST(PaneOwner, ElementOfASeriesPaneHasAValidOwnerAndSnapsToItsBars) {
    CStock stock;
    stock.RestoreSeries(ThreeBars(), ThreeBars());
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    auto line = std::make_unique<CLine>();
    CLine* raw = line.get();
    panes.PaneAt(0).AddElement(std::move(line));
    EXPECT_TRUE(raw->HasValidOwner());

    raw->snapToPrice = 1;
    raw->snapField = "close";
    raw->SetPoint1(0.4f, 50.0f);
    raw->SetPoint2(2.0f, 1.0f);
    EXPECT_EQ(raw->y1, 11.0f);
    EXPECT_EQ(raw->y2, 13.0f);
}

TEST(PaneOwner, PaneOutsideAnySeriesIsNoValidOwner) {
    CTCurve loose;
    auto line = std::make_unique<CLine>();
    CLine* raw = line.get();
    loose.AddElement(std::move(line));
    EXPECT_FALSE(raw->HasValidOwner());
    raw->snapToPrice = 1;
    raw->snapField = "close";
    raw->SetPoint1(1.0f, 50.0f);
    EXPECT_EQ(raw->y1, 50.0f) << "no bars to snap to";

    CLine orphan;
    EXPECT_FALSE(orphan.HasValidOwner());
}

TEST(PaneOwner, PanesFollowTheSeriesAfterAPeriodChange) {
    CStock stock;
    stock.RestoreSeries(ThreeBars(), ThreeBars());
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    CTCurve& pane = panes.PaneAt(1);
    stock.MakeNDayLine(false);
    ASSERT_NE(pane.PriceBars(), nullptr);
    EXPECT_EQ(pane.PriceBars(), &stock.Display());
    EXPECT_EQ(pane.PriceBars()->size(), 2u) << "3 daily bars in groups of 2";
    EXPECT_TRUE(pane.IsListedBySeries());
}
