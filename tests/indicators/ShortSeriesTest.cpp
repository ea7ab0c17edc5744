#include "CurveCompare.h"
#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorCatalog.h"
#include "quotes/PeriodChoice.h"
#include "series/Averages.h"
#include "series/Sources.h"

namespace {

class ShortSeriesTest : public IndicatorsTest, public ::testing::WithParamInterface<std::size_t> {};

// Every curve and flag series of every builder has one value per bar.
void ExpectEveryBuilderFits(CStock& stock) {
    const std::size_t bars = stock.Display().size();
    for (const SIndicatorEntry& entry : IndicatorTable()) {
        SCOPED_TRACE(entry.identifier);
        const int pane = entry.place == EIndicatorPlace::Sub ? 1 : 0;
        ASSERT_TRUE(BuildIndicator(stock, entry, pane, false, true));
        const CTCurve& target = *CStockPanes::InstallIn(stock).Pane(pane);
        if (entry.flags) {
            auto flags = IndicatorsTest::FlagsOf(target);
            ASSERT_EQ(flags.size(), 2u);
            for (const CTradeFlag* flag : flags) EXPECT_EQ(flag->values.size(), bars);
            // Flags only stay until the next replacing build of the pane.
            BuildIndicator(stock, "KC", 0, false, false);
        } else {
            ASSERT_FALSE(target.Curves().empty());
            for (const auto& curve : target.Curves())
                EXPECT_EQ(curve->size(), bars) << curve->name << "(" << curve->parameter << ")";
        }
    }
}

TEST_P(ShortSeriesTest, EveryBuilderGivesOneValuePerBar) {
    CStock stock;
    Fill(stock, WavyBars(GetParam()));
    ExpectEveryBuilderFits(stock);
}

INSTANTIATE_TEST_SUITE_P(Bars, ShortSeriesTest, ::testing::Values(0u, 1u, 2u, 3u));

class WarmUpEdgeTest : public ShortSeriesTest {};

// Lengths around the periods of the EMA and MACD systems.
TEST_P(WarmUpEdgeTest, EmaFlagsAreCrossingsNotEveryBar) {
    CStock stock;
    Fill(stock, WavyBars(GetParam()));
    ASSERT_TRUE(BuildIndicator(stock, "FLAGEMA", 0, true, true));
    auto flags = FlagsOf(PaneOf(stock, 0));
    ASSERT_EQ(flags.size(), 2u);
    std::size_t buys = 0;
    for (float v : flags[0]->values) buys += v != 0.0f;
    EXPECT_EQ(flags[0]->values.size(), GetParam());
    EXPECT_EQ(flags[0]->values[0], 0.0f);
    EXPECT_LT(buys, GetParam() / 2);
}

TEST_P(WarmUpEdgeTest, MacdDifferenceLineIsEma12MinusEma26) {
    CStock stock;
    Fill(stock, WavyBars(GetParam()));
    ASSERT_TRUE(BuildIndicator(stock, "MACD", 1, false, true));
    const auto& curves = PaneOf(stock, 1).Curves();
    ASSERT_EQ(curves.size(), 3u);
    const CCurve& dif = *curves[2];
    ASSERT_EQ(dif.name, "DIV");
    CurvePtr e12 = Series::EMA(Series::C(stock.DisplayColumns()), 12);
    CurvePtr e26 = Series::EMA(Series::C(stock.DisplayColumns()), 26);
    ASSERT_EQ(dif.size(), GetParam());
    for (std::size_t i = 0; i < dif.size(); ++i)
        EXPECT_TRUE(SameFloat(dif.RawAt(i), e12->RawAt(i) - e26->RawAt(i))) << "bar " << i;
    EXPECT_EQ(dif.RawAt(0), 0.0f);
    if (GetParam() > 26) {
        EXPECT_TRUE(std::isfinite(dif.RawAt(26)));
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, WarmUpEdgeTest,
                         ::testing::Values(5u, 6u, 12u, 13u, 26u, 27u, 30u, 31u));

struct SPeriodCase {
    const char* name;
    SPeriodChoice period;
    std::size_t bars;
};

class RealDataLengthTest : public IndicatorsTest,
                           public ::testing::WithParamInterface<SPeriodCase> {};

TEST_P(RealDataLengthTest, EveryBuilderFitsTheDefaultQuotesInEachPeriod) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), GetParam().period, 400, nullptr));
    ASSERT_EQ(stock.Display().size(), GetParam().bars);
    ExpectEveryBuilderFits(stock);
}

INSTANTIATE_TEST_SUITE_P(Ttrc, RealDataLengthTest,
                         ::testing::Values(SPeriodCase{"day", {CStock::kPeriodDay, 2}, 401},
                                           SPeriodCase{"week", {CStock::kPeriodWeek, 2}, 83},
                                           SPeriodCase{"month", {CStock::kPeriodMonth, 2}, 20},
                                           SPeriodCase{"nday3", {CStock::kPeriodNDays, 3}, 134}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
