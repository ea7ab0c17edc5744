#include "element/BarRemap.h"
#include "TradingDays.h"
#include "element/CSymbol.h"
#include <gtest/gtest.h>

using namespace TradingDates;

TEST(BarRemap, DailyToWeeklyAndBackReturnsEveryAnchorToItsBar) {
    const std::vector<int32_t> days =
        TradingDays(400, {4, 5, 25, 60, 61, 62, 100, 101, 102, 103, 104});
    const std::vector<int32_t> weeks = Weeks(days);
    const BarRemap toWeeks(days, weeks);
    const BarRemap toDays(weeks, days);
    for (size_t i = 0; i < days.size(); ++i)
        for (const float fraction : {0.0f, 0.25f, 0.5f}) {
            const float anchor = static_cast<float>(i) + fraction;
            EXPECT_FLOAT_EQ(toDays.Map(toWeeks.Map(anchor)), anchor) << i;
        }
}

TEST(BarRemap, AnchorLandsInTheWeekHoldingItsDateEvenWithMissingDays) {
    // Days 4, 5 (Monday, Tuesday of the second week) are missing: that week starts on day 6.
    const std::vector<int32_t> days = TradingDays(30, {4, 5});
    const std::vector<int32_t> weeks = Weeks(days);
    ASSERT_EQ(weeks[1], 6 * kDay);
    const BarRemap toWeeks(days, weeks);
    // Bars: 0 Thu, 1 Fri, 2 Wed (day 6), 3 Thu, 4 Fri, 5 Mon (day 11).
    EXPECT_FLOAT_EQ(toWeeks.Map(0), 0);
    EXPECT_FLOAT_EQ(toWeeks.Map(1), 0.5f);
    EXPECT_FLOAT_EQ(toWeeks.Map(3), 1 + 1.0f / 3);
    EXPECT_FLOAT_EQ(toWeeks.Map(5), 2);
    // The old formula x * 1 / 5 puts bar 5 a week early.
    CSymbol element;
    element.x1 = 5;
    element.Rescale(5);
    EXPECT_FLOAT_EQ(element.x1, 1);
}

TEST(BarRemap, WeeksToFourWeekBarsAndBackKeepEveryWeek) {
    const std::vector<int32_t> weeks = Weeks(TradingDays(900, {200, 201, 202, 203, 204, 205}));
    const std::vector<int32_t> months = FourWeeks(weeks);
    const BarRemap there(weeks, months), back(months, weeks);
    for (size_t i = 0; i < weeks.size(); ++i)
        EXPECT_FLOAT_EQ(back.Map(there.Map(static_cast<float>(i))), static_cast<float>(i)) << i;
}

TEST(BarRemap, AnchorsBeyondEitherEndKeepTheirDistanceInBarSpacings) {
    const std::vector<int32_t> days = TradingDays(350);
    const std::vector<int32_t> weeks = Weeks(days);
    const BarRemap toWeeks(days, weeks), toDays(weeks, days);
    const float n = static_cast<float>(days.size());
    for (const float anchor : {-10.0f, -0.5f, n, n + 7.5f, n + 40}) {
        EXPECT_NEAR(toDays.Map(toWeeks.Map(anchor)), anchor, 1e-3f) << anchor;
    }
    // Five days a week: ten days past the end are two weeks past it.
    EXPECT_NEAR(toWeeks.Map(n + 10), static_cast<float>(weeks.size()) + 2, 0.05f);
}
