#include "FormulaTestSupport.h"
#include "quotes/CStock.h"
#include "quotes/PeriodChoice.h"
#include "series/Oscillators.h"
#include "series/TradeSignals.h"

namespace {

// The built-in compositions spelled out in the formula language.
const char kMacd[] = "DIF: EMA(C,12)-EMA(C,26);\n"
                     "DEA: EMA(DIF,9);\n"
                     "MACD: DIF-DEA;";
const char kStochastic[] = "RSV := (C-LLV(L,9))/(HHV(H,9)-LLV(L,9))*100;\n"
                           "K: SMA(RSV,3,1);\n"
                           "D: SMA(K,3,1);";
const char kRsi[] = "LC := REF(C,1);\n"
                    "UP := IF(C>=LC, C-LC, 0);\n"
                    "DN := IF(C<LC, LC-C, 0);\n"
                    "RSI9: SMA(UP,9,1)/(SMA(UP,9,1)+SMA(DN,9,1))*100;\n"
                    "RSI11: SMA(UP,11,1)/(SMA(UP,11,1)+SMA(DN,11,1))*100;\n"
                    "RSI25: SMA(UP,25,1)/(SMA(UP,25,1)+SMA(DN,25,1))*100;";

struct SRebuilt {
    const char* formula;
    SIndicatorCurves (*builtIn)(const CBarColumns&);
    std::vector<std::size_t> order; // the built-in curve each output should equal
};

class FormulaBuiltinTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FormulaBuiltinTest, SpelledOutIndicatorsGiveTheBuiltInCurvesBitForBit) {
    CStock stock;
    const auto period = ParsePeriodChoice(GetParam());
    ASSERT_TRUE(period);
    ASSERT_TRUE(LoadQuotesInPeriod(stock, std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv", *period,
                                   6000, nullptr)
                    .ok());
    const CBarColumns q(stock.Display());
    ASSERT_GT(q.size(), 30u);
    const SRebuilt cases[] = {
        {kMacd, IndicatorFormulas::MACD, {2, 1, 0}},
        {kStochastic, IndicatorFormulas::STC, {0, 1}},
        {kRsi, IndicatorFormulas::RSI, {0, 1, 2}},
    };
    for (const SRebuilt& c : cases) {
        const auto outputs = EvaluateText(c.formula, q);
        const SIndicatorCurves want = c.builtIn(q);
        ASSERT_EQ(outputs.size(), c.order.size()) << c.formula;
        for (std::size_t i = 0; i < outputs.size(); ++i)
            EXPECT_TRUE(SameBits(outputs[i].curve->values, want.curves[c.order[i]]->values))
                << outputs[i].name << " in " << GetParam();
    }
}

TEST_P(FormulaBuiltinTest, SpelledOutCrossingsFlagTheBuiltInSystemsBars) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv",
                                   *ParsePeriodChoice(GetParam()), 6000, nullptr)
                    .ok());
    const CBarColumns q(stock.Display());
    const auto outputs = EvaluateText("BUY: CROSS(MA(C,5),MA(C,30));\n"
                                      "SELL: CROSS(MA(C,30),MA(C,5));",
                                      q);
    const auto flags = IndicatorFormulas::FLAGMA(q);
    ASSERT_EQ(outputs.size(), 2u);
    ASSERT_EQ(flags.size(), 2u);
    int crossings = 0;
    for (std::size_t side = 0; side < 2; ++side) {
        ASSERT_EQ(outputs[side].curve->size(), flags[side].values.size());
        for (std::size_t i = 0; i < q.size(); ++i) {
            EXPECT_EQ(outputs[side].curve->values[i] != 0.0f, flags[side].values[i] != 0.0f)
                << side << " bar " << i;
            crossings += outputs[side].curve->values[i] != 0.0f;
        }
    }
    EXPECT_GT(crossings, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPeriod, FormulaBuiltinTest,
                         ::testing::Values("day", "week", "month", "nday:3"));

} // namespace
