#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorBuilders.h"
#include "indicators/IndicatorCatalog.h"
#include "quotes/CViewPar.h"
#include "tools/CHorizontal.h"
#include "tools/CLine.h"
#include <cmath>

namespace {

using Ids = std::vector<std::string>;

class BuilderProtocolTest : public IndicatorsTest {
protected:
    BuilderProtocolTest() { Fill(stock, WavyBars(80)); }

    const Ids& IdsOf(int pane) { return stock.ViewPar(pane).identifiers; }
    std::size_t CurveCount(int pane) { return PaneOf(stock, pane).Curves().size(); }

    CStock stock;
};

TEST_F(BuilderProtocolTest, InsertingSmaIntoSmaPaneDoublesCurvesAndName) {
    ASSERT_TRUE(IndicatorBuilders::SMA(stock, 0, false, true));
    ASSERT_TRUE(IndicatorBuilders::SMA(stock, 0, true, true));
    EXPECT_EQ(PaneOf(stock, 0).paneName, "SMA SMA");
    EXPECT_EQ(CurveCount(0), 8u);
    EXPECT_EQ(IdsOf(0), (Ids{"SMA", "SMA"}));
}

TEST_F(BuilderProtocolTest, InsertedEmaJoinsWithCommaOthersWithBlank) {
    IndicatorBuilders::SMA(stock, 0, false, true);
    IndicatorBuilders::EMA(stock, 0, true, true);
    EXPECT_EQ(PaneOf(stock, 0).paneName, "SMA,EMA");
    IndicatorBuilders::WMA(stock, 0, true, true);
    EXPECT_EQ(PaneOf(stock, 0).paneName, "SMA,EMA VWMA");
    EXPECT_EQ(IdsOf(0), (Ids{"SMA", "EMA", "WMA"}));
}

TEST_F(BuilderProtocolTest, InsertIntoMissingPaneStartsNameWithBlank) {
    IndicatorBuilders::MACD(stock, 1, true, true);
    EXPECT_EQ(PaneOf(stock, 1).paneName, " MACD");
    // The pane below it was made by number.
    EXPECT_EQ(PaneOf(stock, 0).paneName, "NoName");
    IndicatorBuilders::MACD(stock, 2, false, true);
    EXPECT_EQ(PaneOf(stock, 2).paneName, "MACD");
}

TEST_F(BuilderProtocolTest, PaneFarBeyondTheLastFillsTheGapWithNamedPanes) {
    IndicatorBuilders::RSI(stock, 4, false, true);
    ASSERT_EQ(CStockPanes::InstallIn(stock).Count(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(PaneOf(stock, i).paneName, "NoName");
        EXPECT_TRUE(PaneOf(stock, i).Curves().empty());
    }
}

TEST_F(BuilderProtocolTest, ReplaceDeletesEveryCurveAndLeavesOneIdentifier) {
    IndicatorBuilders::RSI(stock, 2, false, true);
    IndicatorBuilders::MTM(stock, 2, true, true);
    ASSERT_EQ(CurveCount(2), 7u);
    IndicatorBuilders::VOL(stock, 2, false, true);
    ASSERT_EQ(CurveCount(2), 1u);
    EXPECT_EQ(PaneOf(stock, 2).Curves()[0]->name, "VOL");
    EXPECT_EQ(PaneOf(stock, 2).paneName, "VOL");
    EXPECT_EQ(IdsOf(2), (Ids{"VOL"}));
    // RSI's reference lines went with it.
    EXPECT_TRUE(PaneOf(stock, 2).Elements().empty());
}

TEST_F(BuilderProtocolTest, ReplaceRemovesFlagsAndMarkedLinesButKeepsUserDrawings) {
    CTCurve& pane = CStockPanes::InstallIn(stock).PaneAt(0);
    auto trend = std::make_unique<CLine>();
    trend->x1 = 3;
    const CSymbol* trendLine = trend.get();
    pane.AddElement(std::move(trend));
    IndicatorBuilders::FLAGMA(stock, 0, true, true);
    auto userLevel = std::make_unique<CHorizontal>(55.0f);
    const CSymbol* userLine = userLevel.get();
    pane.AddElement(std::move(userLevel));
    auto marked = std::make_unique<CHorizontal>(20.0f);
    marked->indicatorMark = 1;
    pane.AddElement(std::move(marked));
    ASSERT_EQ(pane.Elements().size(), 5u);

    IndicatorBuilders::BOL(stock, 0, false, true);

    ASSERT_EQ(pane.Elements().size(), 2u);
    EXPECT_EQ(pane.Elements()[0].get(), trendLine);
    EXPECT_EQ(pane.Elements()[1].get(), userLine);
    EXPECT_EQ(pane.Curves().size(), 3u);
    EXPECT_EQ(pane.paneName, "BOL");
    EXPECT_EQ(IdsOf(0), (Ids{"BOL"}));
}

TEST_F(BuilderProtocolTest, WithoutRecordCurvesAndNameChangeButListStays) {
    IndicatorBuilders::SMA(stock, 0, false, true);
    IndicatorBuilders::KC(stock, 0, false, false);
    EXPECT_EQ(PaneOf(stock, 0).paneName, "KC");
    ASSERT_EQ(CurveCount(0), 3u);
    EXPECT_EQ(PaneOf(stock, 0).Curves()[0]->name, "M Band");
    EXPECT_EQ(IdsOf(0), (Ids{"SMA"}));
    IndicatorBuilders::FLAGSAR(stock, 0, true, false);
    EXPECT_EQ(IdsOf(0), (Ids{"SMA"}));
}

TEST_F(BuilderProtocolTest, ThreeBarSmaClampsEveryPeriodToTheSeries) {
    Fill(stock, BarsOfCloses({10.0f, 11.0f, 15.0f}));
    IndicatorBuilders::SMA(stock, 0, false, true);
    const float mean = (10.0f + 11.0f + 15.0f) / 3.0f;
    ASSERT_EQ(CurveCount(0), 4u);
    for (const auto& curve : PaneOf(stock, 0).Curves()) {
        ASSERT_EQ(curve->size(), 3u) << curve->parameter;
        EXPECT_EQ(curve->RawAt(0), kInvalid);
        EXPECT_EQ(curve->RawAt(1), kInvalid);
        EXPECT_EQ(curve->RawAt(2), mean);
    }
}

TEST_F(BuilderProtocolTest, FlagSystemTwiceGivesFourSeriesAndKeepsPaneName) {
    IndicatorBuilders::SMA(stock, 0, false, true);
    IndicatorBuilders::FLAGMA(stock, 0, true, true);
    IndicatorBuilders::FLAGMA(stock, 0, true, true);
    std::vector<std::string> names;
    for (const CTradeFlag* flag : FlagsOf(PaneOf(stock, 0))) names.push_back(flag->name);
    EXPECT_EQ(names, (Ids{"SMABuy", "SMASell", "SMABuy", "SMASell"}));
    EXPECT_EQ(PaneOf(stock, 0).paneName, "SMA");
    EXPECT_EQ(IdsOf(0), (Ids{"SMA", "FLAGMA", "FLAGMA"}));
}

TEST_F(BuilderProtocolTest, FlagSystemWithoutInsertStillKeepsTheFlagsThere) {
    IndicatorBuilders::FLAGEMA(stock, 0, true, true);
    IndicatorBuilders::FLAGKDJ(stock, 0, false, true);
    EXPECT_EQ(FlagsOf(PaneOf(stock, 0)).size(), 4u);
    EXPECT_EQ(IdsOf(0), (Ids{"FLAGKDJ"}));
}

TEST_F(BuilderProtocolTest, FlagSeriesCarryTheirLook) {
    IndicatorBuilders::FLAGSAR(stock, 0, true, true);
    auto flags = FlagsOf(PaneOf(stock, 0));
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0]->TypeCode(), 38);
    EXPECT_EQ(flags[0]->direction, 1);
    EXPECT_EQ(flags[0]->symbol, 9);
    EXPECT_EQ(flags[0]->colour, 0x00FF00u);
    EXPECT_EQ(flags[1]->direction, 0);
    EXPECT_EQ(flags[1]->symbol, 8);
    EXPECT_EQ(flags[1]->colour, 0x0000FFu);
    EXPECT_EQ(flags[0]->owner, &PaneOf(stock, 0));
}

struct SReferenceCase {
    const char* identifier;
    float low;
    float high;
};

class ReferenceLineTest : public BuilderProtocolTest,
                          public ::testing::WithParamInterface<SReferenceCase> {};

TEST_P(ReferenceLineTest, AddsTwoMarkedHorizontalLinesAfterTheCurves) {
    const SReferenceCase& c = GetParam();
    ASSERT_TRUE(BuildIndicator(stock, c.identifier, 1, false, true));
    const auto& elements = PaneOf(stock, 1).Elements();
    ASSERT_EQ(elements.size(), 2u);
    std::vector<float> levels;
    for (const auto& element : elements) {
        ASSERT_EQ(element->TypeCode(), 19);
        EXPECT_EQ(element->indicatorMark, 1);
        EXPECT_EQ(element->y1, element->y2);
        levels.push_back(element->y1);
    }
    EXPECT_EQ(levels, (std::vector<float>{c.low, c.high}));
}

INSTANTIATE_TEST_SUITE_P(Levels, ReferenceLineTest,
                         ::testing::Values(SReferenceCase{"STC", 20, 80},
                                           SReferenceCase{"RSI", 30, 70},
                                           SReferenceCase{"WR", -20, -80}));

TEST_F(BuilderProtocolTest, InsertingAnotherOscillatorKeepsTheFirstLines) {
    IndicatorBuilders::STC(stock, 1, false, true);
    IndicatorBuilders::RSI(stock, 1, true, true);
    EXPECT_EQ(PaneOf(stock, 1).Elements().size(), 4u);
    EXPECT_EQ(PaneOf(stock, 1).paneName, "STC RSI");
    IndicatorBuilders::WR(stock, 1, false, true);
    ASSERT_EQ(PaneOf(stock, 1).Elements().size(), 2u);
    EXPECT_EQ(PaneOf(stock, 1).Elements()[0]->y1, -20.0f);
}

TEST_F(BuilderProtocolTest, PaneNumbersOutsideZeroToNineAreRefused) {
    for (int pane : {10, 11, 1000, -1}) {
        for (const SIndicatorEntry& entry : IndicatorTable())
            EXPECT_FALSE(BuildIndicator(stock, entry, pane, false, true)) << pane;
    }
    EXPECT_FALSE(IndicatorBuilders::SMA(stock, 10, true, true));
    EXPECT_EQ(CStockPanes::InstallIn(stock).Count(), 0u);
    EXPECT_TRUE(IndicatorBuilders::SMA(stock, 9, false, true));
    EXPECT_EQ(IdsOf(9), (Ids{"SMA"}));
}

TEST_F(BuilderProtocolTest, UnknownIdentifierBuildsNothing) {
    EXPECT_FALSE(BuildIndicator(stock, "sma", 0, false, true));
    EXPECT_FALSE(BuildIndicator(stock, "FLAG", 0, false, true));
    EXPECT_EQ(CStockPanes::InstallIn(stock).Count(), 0u);
}

struct SNameCase {
    const char* identifier;
    const char* paneName;
    const char* insertedName;
    std::size_t curves;
};

class PaneNameTest : public BuilderProtocolTest, public ::testing::WithParamInterface<SNameCase> {};

TEST_P(PaneNameTest, ReplaceAndInsertNameThePaneAndAddTheCurves) {
    const SNameCase& c = GetParam();
    ASSERT_TRUE(BuildIndicator(stock, c.identifier, 3, false, true));
    EXPECT_EQ(PaneOf(stock, 3).paneName, c.paneName);
    EXPECT_EQ(CurveCount(3), c.curves);
    ASSERT_TRUE(BuildIndicator(stock, c.identifier, 3, true, true));
    EXPECT_EQ(PaneOf(stock, 3).paneName, std::string(c.paneName) + c.insertedName);
    EXPECT_EQ(CurveCount(3), 2 * c.curves);
    EXPECT_EQ(IdsOf(3), (Ids{c.identifier, c.identifier}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaneNameTest,
    ::testing::Values(SNameCase{"SMA", "SMA", " SMA", 4}, SNameCase{"WMA", "VWMA", " VWMA", 4},
                      SNameCase{"EMA", "EMA", ",EMA", 4}, SNameCase{"BOL", "BOL", " BOL", 3},
                      SNameCase{"MAE", "MAE", " MAE", 3}, SNameCase{"SAR", "SAR", " SAR", 1},
                      SNameCase{"KC", "KC", " KC", 3},
                      SNameCase{"52WK H and L", "52WK H and L", " 52WK H and L", 2},
                      SNameCase{"STC", "STC", " STC", 2}, SNameCase{"MACD", "MACD", " MACD", 3},
                      SNameCase{"VOL", "VOL", " VOL", 1}, SNameCase{"VOLP", "VOLP", " VOLP", 1},
                      SNameCase{"ADX", "ADX", " ADX", 2}, SNameCase{"ATR", "ATR", " ATR", 3},
                      SNameCase{"CCI", "CCI", " CCI", 3}, SNameCase{"MTM", "MTM", " MTM", 4},
                      SNameCase{"ROC", "ROC", " ROC", 3}, SNameCase{"MFI", "MFI", " MFI", 3},
                      SNameCase{"OBV", "OBV", " OBV", 4}, SNameCase{"RSI", "RSI", " RSI", 3},
                      SNameCase{"VOLA", "VOLA", " VOLA", 1}, SNameCase{"VAO", "VAO", " VAO", 1},
                      SNameCase{"WR", "WR", " WR", 2}));

TEST(IndicatorCatalogTest, ListsEveryIdentifierOnceWithItsPlace) {
    const Ids main = {"SMA", "WMA", "EMA", "BOL", "MAE", "SAR", "KC", "52WK H and L"};
    const Ids flags = {"FLAGMA", "FLAGWMA", "FLAGEMA", "FLAGSAR", "FLAGKDJ", "FLAGMACD"};
    std::size_t subs = 0;
    for (const SIndicatorEntry& entry : IndicatorTable()) {
        ASSERT_EQ(FindIndicator(entry.identifier), &entry);
        const bool isMain = std::find(main.begin(), main.end(), entry.identifier) != main.end();
        const bool isFlag = std::find(flags.begin(), flags.end(), entry.identifier) != flags.end();
        const EIndicatorPlace expected = isMain   ? EIndicatorPlace::Main
                                         : isFlag ? EIndicatorPlace::Flags
                                                  : EIndicatorPlace::Sub;
        EXPECT_EQ(entry.place, expected) << entry.identifier;
        subs += expected == EIndicatorPlace::Sub;
    }
    EXPECT_EQ(IndicatorTable().size(), 29u);
    EXPECT_EQ(subs, 15u);
}

} // namespace
