#include "IndicatorTable.h"
#include "SeriesTestSupport.h"
#include "series/SeriesColour.h"
#include <map>

using Series::PeriodColour;
using Series::RGB;

namespace {

struct SLook {
    std::string name;
    std::string parameter;
    uint32_t colour;
    int lineStyle = 1;
    int drawKind = 1;
};

struct SExpected {
    std::vector<SLook> curves;
    std::vector<float> levels = {};
};

const uint32_t kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kBlack = 0;

std::vector<SLook> FourAverages(const std::string& name) {
    return {{name, "5", PeriodColour(5)},
            {name, "10", PeriodColour(10)},
            {name, "30", kRed},
            {name, "60", kBlue}};
}

const std::map<std::string, SExpected>& ExpectedLooks() {
    static const std::map<std::string, SExpected> looks = {
        {"SMA", {FourAverages("MA")}},
        {"WMA", {FourAverages("WMA(C,V)")}},
        {"EMA", {FourAverages("EMA(C)")}},
        {"BOL",
         {{{"U Band", "20,NO Parameter", kBlue},
           {"M Band", "20", PeriodColour(20)},
           {"L Band", "20,NO Parameter", kBlue}}}},
        {"MAE",
         {{{"M Band", "20", PeriodColour(20)},
           {"U Band", "20,NO Parameter", RGB(238, 130, 238)},
           {"D Band", "20,NO Parameter", RGB(238, 130, 238)}}}},
        {"SAR", {{{"SAR", "0.02,0.20", kRed, 1, 0}}}},
        {"KC",
         {{{"M Band", "", RGB(128, 128, 0)},
           {"U Band", "15", RGB(0, 0, 128)},
           {"L Band", "15", RGB(0, 0, 128)}}}},
        {"52WK H and L",
         {{{"52WK High", "364", RGB(128, 128, 0)}, {"52WK Low", "364", RGB(0, 0, 128)}}}},
        {"STC", {{{"K", "3,1", RGB(255, 127, 80), 2}, {"D", "3,1", RGB(0, 255, 0)}}, {20, 80}}},
        {"MACD",
         {{{"MACD", "12,26,9", kBlack, 1, 9},
           {"EMA(MACD)", "9", PeriodColour(9)},
           {"DIV", "12,26", RGB(165, 42, 42)}}}},
        {"VOL", {{{"VOL", "", kBlue, 1, 6}}}},
        {"VOLP", {{{"VOLP", "", kBlue, 1, 11}}}},
        {"ADX", {{{"DX", "14", kBlue}, {"ADX", "14,1", kRed}}}},
        {"ATR",
         {{{"ATR", "7", PeriodColour(7)},
           {"ATR", "14", PeriodColour(14)},
           {"ATR", "20", PeriodColour(20)}}}},
        {"CCI",
         {{{"CCI", "5", kRed}, {"CCI", "14", RGB(210, 105, 30)}, {"CCI", "20", RGB(128, 0, 128)}}}},
        {"MTM",
         {{{"MTM", ",10", kRed},
           {"EMA(MTM)", "5", PeriodColour(5)},
           {"EMA(MTM)", "10", PeriodColour(10)},
           {"EMA(MTM)", "20", PeriodColour(20)}}}},
        {"ROC",
         {{{"ROC", "7", RGB(0, 128, 0)},
           {"ROC", "14", RGB(85, 107, 47)},
           {"ROC", "20", RGB(50, 205, 50)}}}},
        {"MFI",
         {{{"MFI", "14", RGB(255, 127, 80)},
           {"MFI", "20", RGB(70, 130, 180)},
           {"MFI", "30", RGB(199, 21, 133)}}}},
        {"OBV",
         {{{"OBV", "0", kRed},
           {"MA(OBV)", "5", PeriodColour(5)},
           {"MA(OBV)", "10", PeriodColour(10)},
           {"MA(OBV)", "30", PeriodColour(30)}}}},
        {"RSI",
         {{{"RSI", "9", RGB(0, 0, 205)},
           {"RSI", "11", RGB(186, 85, 211)},
           {"RSI", "25", RGB(255, 99, 71)}},
          {30, 70}}},
        {"VOLA", {{{"VOLA", "10", kRed}}}},
        {"VAO", {{{"VAO", "", kBlue}}}},
        {"WR",
         {{{"Williams %R", "10", RGB(0, 255, 0)}, {"Williams %R", "14", RGB(0, 255, 255)}},
          {-20, -80}}},
    };
    return looks;
}

} // namespace

TEST(IndicatorLook, EveryCurveHasTheNameParameterColourStyleAndKindOfTheTable) {
    const CBarColumns q = Columns(RandomWalk(40, 7));
    ASSERT_EQ(ExpectedLooks().size(), AllIndicators().size());
    for (const SIndicatorEntry& entry : AllIndicators()) {
        const SExpected& want = ExpectedLooks().at(entry.identifier);
        const SIndicatorCurves got = entry.run(q);
        ASSERT_EQ(got.curves.size(), want.curves.size()) << entry.identifier;
        for (std::size_t i = 0; i < want.curves.size(); ++i) {
            const CCurve& c = *got.curves[i];
            const SLook& w = want.curves[i];
            SCOPED_TRACE(std::string(entry.identifier) + " curve " + std::to_string(i));
            EXPECT_EQ(c.name, w.name);
            EXPECT_EQ(c.parameter, w.parameter);
            EXPECT_EQ(c.colour, w.colour);
            EXPECT_EQ(c.lineStyle, w.lineStyle);
            EXPECT_EQ(c.drawKind, w.drawKind);
            EXPECT_EQ(c.size(), q.size());
        }
        EXPECT_TRUE(SameBits(got.referenceLevels, want.levels)) << entry.identifier;
    }
}

TEST(IndicatorLook, SarAlsoSetsBothExtraColoursRed) {
    const SIndicatorCurves sar = IndicatorFormulas::SAR(Columns(RandomWalk(5, 1)));
    EXPECT_EQ(sar.curves[0]->extraColour1, kRed);
    EXPECT_EQ(sar.curves[0]->extraColour2, kRed);
    const SIndicatorCurves ma = IndicatorFormulas::SMA(Columns(RandomWalk(5, 1)));
    EXPECT_EQ(ma.curves[0]->extraColour1, RGB(0, 255, 0));
}

TEST(IndicatorLook, TradeFlagsCarryNamesColoursAndSymbols) {
    struct Case {
        const char* buy;
        const char* sell;
        int buySymbol, sellSymbol;
    };
    const std::map<std::string, Case> want = {
        {"FLAGMA", {"SMABuy", "SMASell", 13, 13}}, {"FLAGWMA", {"VWMABuy", "VWMASell", 12, 12}},
        {"FLAGEMA", {"EMABuy", "EMASell", 7, 7}},  {"FLAGSAR", {"SARBuy", "SARSell", 9, 8}},
        {"FLAGKDJ", {"STCBuy", "STCSell", 1, 1}},  {"FLAGMACD", {"MACDBuy", "MACDSell", 9, 8}},
    };
    const CBarColumns q = Columns(RandomWalk(40, 3));
    for (const SSignalEntry& entry : AllSignals()) {
        const Case& w = want.at(entry.identifier);
        const std::vector<STradeFlagData> flags = entry.run(q);
        ASSERT_EQ(flags.size(), 2u);
        EXPECT_EQ(flags[0].name, w.buy);
        EXPECT_EQ(flags[0].direction, 1);
        EXPECT_EQ(flags[0].colour, RGB(0, 255, 0));
        EXPECT_EQ(flags[0].symbol, w.buySymbol);
        EXPECT_EQ(flags[1].name, w.sell);
        EXPECT_EQ(flags[1].direction, 0);
        EXPECT_EQ(flags[1].colour, kRed);
        EXPECT_EQ(flags[1].symbol, w.sellSymbol);
    }
}
