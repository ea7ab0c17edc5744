#include "element/BarRemap.h"
#include "tools/CGChannel.h"
#include "tools/CLine.h"
#include <gtest/gtest.h>

namespace {
constexpr int32_t kDay = 86400;

// Trading days from day 0 (a Thursday) for `count` calendar days: weekends left out, and the
// listed days missing too (holidays, gaps in the file).
std::vector<int32_t> TradingDays(int count, std::initializer_list<int> missing = {}) {
    std::vector<int32_t> dates;
    for (int day = 0; day < count; ++day) {
        const int weekday = (day + 3) % 7; // 0 Monday
        if (weekday >= 5 || std::find(missing.begin(), missing.end(), day) != missing.end())
            continue;
        dates.push_back(day * kDay);
    }
    return dates;
}

// Each bar dated by its first day, grouping days by `groupOf`.
template <typename Group>
std::vector<int32_t> Grouped(const std::vector<int32_t>& days, Group groupOf) {
    std::vector<int32_t> bars;
    int last = -1;
    for (int32_t date : days) {
        const int group = groupOf(date / kDay);
        if (bars.empty() || group != last) bars.push_back(date);
        last = group;
    }
    return bars;
}

std::vector<int32_t> Weeks(const std::vector<int32_t>& days) {
    return Grouped(days, [](int day) { return (day + 3) / 7; });
}

std::vector<int32_t> FourWeeks(const std::vector<int32_t>& days) {
    return Grouped(days, [](int day) { return (day + 3) / 28; });
}
} // namespace

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
    CLine line;
    line.x1 = 5;
    line.Rescale(5);
    EXPECT_FLOAT_EQ(line.x1, 1);
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
