#include "view/AxisLabel.h"
#include "view/PaneTexts.h"
#include "view/ScaleTicks.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(AxisLabel, FormatsValuesToFiveCharactersWithoutLosingIntegerDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12.3456, "12.34"}, {1234.5, "1234."},       {0.000123, "0.000"}, {99999, "99999"},
        {-1234.5, "-1234"}, {5120000, "5.12M"},      {123456, "123K"},    {100000, "100K"},
        {-99999, "-99K"},   {2500000000.0, "2.50B"}, {1.5e13, "15000B"},  {999999, "999K"},
        {0, "0.000"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAxisLabel(c.value), c.text) << c.value;
}

TEST(AxisLabel, NonFiniteValuesGiveNoText) {
    EXPECT_EQ(FormatAxisLabel(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FormatAxisLabel(std::nan("")), "");
}

TEST(ScaleTicks, DecimalExponentSteppedByPowersOfTen) {
    const struct {
        float x;
        int e;
    } cases[] = {{0, 0},    {1, 0},     {9.99f, 0},  {10, 1},
                 {-250, 2}, {0.5f, -1}, {0.05f, -2}, {1e30f, 30}};
    for (const auto& c : cases) EXPECT_EQ(ScaleTicks::DecimalExponent(c.x), c.e) << c.x;
}

TEST(ScaleTicks, NiceStepTable) {
    const struct {
        float q;
        float s;
    } cases[] = {{0, 0},       {-1, 0},   {0.15f, 0.1f}, {0.2f, 0.2f}, {0.35f, 0.2f},
                 {0.5f, 0.5f}, {1.0f, 1}, {1.5f, 1},     {2, 2},       {4, 5}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(ScaleTicks::NiceStep(c.q), c.s) << c.q;
}

TEST(ScaleTicks, FirstTickRoundsUpFromTheBottomOnlyPastHalfAStep) {
    ScaleTicks::SYTicks a = ScaleTicks::ComputeYTicks(12.34f, 5.0f, 400, 80);
    EXPECT_FLOAT_EQ(a.step, 1.0f);
    EXPECT_FLOAT_EQ(a.first, 12.34f);
    EXPECT_EQ(a.count, 5);
    ScaleTicks::SYTicks b = ScaleTicks::ComputeYTicks(12.64f, 5.0f, 400, 80);
    EXPECT_FLOAT_EQ(b.first, 13.0f);
    // A step below 1 works one decade lower: 100..103 over 8 rows steps by 0.5.
    ScaleTicks::SYTicks c = ScaleTicks::ComputeYTicks(100.3f, 3.0f, 640, 80);
    EXPECT_FLOAT_EQ(c.step, 0.5f);
    EXPECT_FLOAT_EQ(c.first, 100.3f);
    EXPECT_EQ(c.count, 6);
}

TEST(ScaleTicks, EmptyOrBrokenRangesHaveNoTicksAndCountsStayInTheTable) {
    EXPECT_EQ(ScaleTicks::ComputeYTicks(10, 0, 400, 80).count, 0);
    EXPECT_EQ(ScaleTicks::ComputeYTicks(10, -5, 400, 80).count, 0);
    EXPECT_EQ(ScaleTicks::ComputeYTicks(10, std::nanf(""), 400, 80).count, 0);
    EXPECT_EQ(ScaleTicks::ComputeYTicks(std::numeric_limits<float>::infinity(), 5, 400, 80).count,
              0);
    // One-pixel cells ask for 90 ticks: the table keeps 50.
    EXPECT_EQ(ScaleTicks::ComputeYTicks(0, 900, 1000, 1).count, 50);
    // A plot lower than one cell still has one row.
    EXPECT_EQ(ScaleTicks::ComputeYTicks(0, 5, 10, 80).count, 1);
    // A step of 2 over a range of 1.5 still labels the first tick.
    ScaleTicks::SYTicks volume = ScaleTicks::ComputeYTicks(476882, 1515690, 73, 50);
    EXPECT_FLOAT_EQ(volume.step, 2000000.0f);
    EXPECT_FLOAT_EQ(volume.first, 476882.0f);
    EXPECT_EQ(volume.count, 1);
    ScaleTicks::SYTicks macd = ScaleTicks::ComputeYTicks(-2.88853f, 3.78669f, 73, 50);
    EXPECT_FLOAT_EQ(macd.first, -2.0f);
    EXPECT_EQ(macd.count, 1);
}

TEST(PaneTexts, TitleFormatTakesOneTextAndFiveNumbers) {
    EXPECT_TRUE(PaneTexts::IsTitleFormat("%s O:%.2f H:%.2f L:%.2f C:%.2f V:%.0f"));
    EXPECT_TRUE(PaneTexts::IsTitleFormat("%s %f %f %f %f %10.3e 100%%"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%s %f %f %f %f"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%s %f %f %f %f %f %f"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%d %f %f %f %f %f"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%s %f %f %f %f %s"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%s %f %f %f %f %n"));
    EXPECT_FALSE(PaneTexts::IsTitleFormat("%s %f %f %f %f %"));
}

TEST(PaneTexts, CurveTitleShowsNameParameterAndValue) {
    EXPECT_EQ(PaneTexts::CurveTitle("MA", "5", 12.344f), "MA(5)=12.34");
    EXPECT_EQ(PaneTexts::CurveTitle("MA", "5", std::numeric_limits<float>::infinity()), "MA(5)");
    EXPECT_EQ(PaneTexts::CurveTitle("VOL", "", 1500.0f), "VOL=1500.00");
}

TEST(PaneTexts, TitleOfTheLastBarUsesTheBuiltInFormats) {
    SQuote q;
    q.date = 0;
    q.open = 1.5f;
    q.high = 2.25f;
    q.low = 1.0f;
    q.close = 2.0f;
    q.volume = 12345;
    const std::string date = PaneTexts::FormatDate(0, "%d-%b-%y");
    EXPECT_EQ(PaneTexts::FormatTitle(q), date + "  O: 1.50  H: 2.25  L: 1.00  C: 2.00  V: 12345");
}

} // namespace
