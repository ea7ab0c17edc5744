#include "../element/TradingDays.h"
#include "../indicators/IndicatorsTestSupport.h"
#include "element/BarRemap.h"
#include "quotes/PeriodChoice.h"
#include "tools/CGChannel.h"
#include "tools/CLine.h"
#include "tools/CSDChannel.h"
#include <gtest/gtest.h>

namespace {
class RemapElementsTest : public IndicatorsTest {
protected:
    template <typename Tool> Tool* Add(CStock& stock, float x1, float x2) {
        auto tool = std::make_unique<Tool>();
        tool->SetAnchor(x1, 10, 1);
        tool->SetPoint2(x2, 20);
        Tool* added = tool.get();
        CStockPanes::InstallIn(stock).PaneAt(0).AddElement(std::move(tool));
        return added;
    }
};
} // namespace

TEST_F(RemapElementsTest, DrawingsFollowTheirDatesThroughPeriodChanges) {
    CStock stock;
    CStockPanes::InstallIn(stock);
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    const float n = static_cast<float>(stock.Display().size());
    CLine* line = Add<CLine>(stock, 37, 212.5f);
    CGChannel* channel = Add<CGChannel>(stock, 100, 301);
    CLine* beyond = Add<CLine>(stock, -3, n + 12);
    const int32_t date37 = stock.Display()[37].date;

    stock.MakeWeekLine(false);
    const auto& weeks = stock.Display();
    const size_t week = static_cast<size_t>(line->x1);
    ASSERT_LT(week + 1, weeks.size());
    EXPECT_LE(weeks[week].date, date37);
    EXPECT_GT(weeks[week + 1].date, date37);
    EXPECT_EQ(line->Period(), 5);

    stock.MakeMonthLine(false);
    EXPECT_EQ(line->Period(), 21);
    stock.SetNDays(3);
    stock.MakeNDayLine(false);
    stock.MakeDayLine(false);
    EXPECT_EQ(line->Period(), 1);
    EXPECT_FLOAT_EQ(line->x1, 37);
    EXPECT_FLOAT_EQ(line->x2, 212.5f);
    EXPECT_FLOAT_EQ(channel->x1, 100);
    EXPECT_FLOAT_EQ(channel->x2, 301);
    EXPECT_FLOAT_EQ(channel->x3, 100);
    EXPECT_NEAR(beyond->x1, -3, 1e-3);
    EXPECT_NEAR(beyond->x2, n + 12, 1e-2);
    EXPECT_FLOAT_EQ(line->y1, 10); // values are untouched
}

TEST_F(RemapElementsTest, DeviationChannelFollowsACurveOfItsPane) {
    CTCurve pane;
    auto curve = std::make_unique<CCurve>();
    curve->name = "SMA";
    curve->values = {1, 2, 3, 9};
    pane.AddSecondCurve(std::move(curve));
    auto channel = std::make_unique<CSDChannel>();
    channel->snapToPrice = 1;
    channel->snapField = "SMA";
    CSDChannel* placed = channel.get();
    pane.AddElement(std::move(channel));
    placed->SetAnchor(0, 0, 1);
    placed->SetPoint2(7, 0);
    EXPECT_FLOAT_EQ(placed->x2, 3);
    EXPECT_FLOAT_EQ(placed->y2, 9);
    EXPECT_FLOAT_EQ(placed->y3, 5 + 1.0f);
}

using namespace TradingDates;

TEST(BarRemap, EmptySeriesLeaveTheElementAlone) {
    CGChannel channel;
    channel.SetAnchor(12, 3, 1);
    channel.RemapBars({}, TradingDays(30), 5);
    EXPECT_FLOAT_EQ(channel.x1, 12);
    EXPECT_EQ(channel.Period(), 1);
}

TEST(BarRemap, ElementCarriesAllItsPointsAndStoresThePeriod) {
    const std::vector<int32_t> days = TradingDays(100);
    const std::vector<int32_t> weeks = Weeks(days);
    CGChannel channel;
    channel.SetAnchor(10, 3, 1);
    channel.SetPoint2(20, 4);
    channel.RemapBars(days, weeks, 5);
    const BarRemap remap(days, weeks);
    EXPECT_FLOAT_EQ(channel.x1, remap.Map(10));
    EXPECT_FLOAT_EQ(channel.x2, remap.Map(20));
    EXPECT_FLOAT_EQ(channel.x3, remap.Map(10));
    EXPECT_EQ(channel.Period(), 5);
    channel.RemapBars(weeks, days, 1);
    EXPECT_FLOAT_EQ(channel.x1, 10);
    EXPECT_FLOAT_EQ(channel.x2, 20);
}
