#include "IndicatorsTestSupport.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "quotes/CViewPar.h"
#include "series/CCurve.h"
#include "tools/CHorizontal.h"
#include "tools/CLine.h"
#include <cstring>

namespace {

using Ids = std::vector<std::string>;

TEST(ElementTest, EachClassCarriesItsTypeCode) {
    EXPECT_EQ(CLine().TypeCode(), 1);
    EXPECT_EQ(CHorizontal().TypeCode(), 19);
    EXPECT_EQ(CCurve().TypeCode(), 36);
    EXPECT_EQ(CTradeFlag().TypeCode(), 38);
}

TEST(ElementTest, CurveKeepsItsOwnNameBesideTheElementName) {
    CCurve curve;
    EXPECT_EQ(curve.name, "NO Name");
    EXPECT_EQ(static_cast<CSymbol&>(curve).name, "Symbol");
}

TEST(ElementTest, TradeFlagTakesTheSeriesData) {
    STradeFlagData data;
    data.values = {0.0f, 12.5f};
    data.direction = 0;
    data.name = "MACDSell";
    data.colour = 0x0000FF;
    data.symbol = 8;
    const CTradeFlag flag(data);
    EXPECT_EQ(flag.values, data.values);
    EXPECT_EQ(flag.direction, 0);
    EXPECT_EQ(flag.name, "MACDSell");
    EXPECT_EQ(flag.colour, 0x0000FFu);
    EXPECT_EQ(flag.secondColour, 0x808080u);
    EXPECT_EQ(flag.symbol, 8);
}

TEST(PaneTest, NamesAtConstructionAndByNumber) {
    EXPECT_EQ(CTCurve().paneName, "Curve Name");
    EXPECT_EQ(CTCurve().secondName, "Left Name");
    CStockPanes panes;
    EXPECT_EQ(panes.PaneAt(1).paneName, "NoName");
    EXPECT_EQ(panes.Count(), 2u);
    EXPECT_EQ(panes.Pane(2), nullptr);
    EXPECT_EQ(panes.Pane(-1), nullptr);
}

TEST(PaneTest, ClearingCurveDataKeepsCurvesAndEmptiesFlags) {
    CTCurve pane;
    auto curve = std::make_unique<CCurve>();
    curve->values = {1, 2, 3};
    pane.AddCurve(std::move(curve));
    STradeFlagData data;
    data.values = {0, 4};
    pane.AddElement(std::make_unique<CTradeFlag>(data));
    pane.AddElement(std::make_unique<CLine>());
    pane.ClearCurveData();
    ASSERT_EQ(pane.Curves().size(), 1u);
    EXPECT_TRUE(pane.Curves()[0]->empty());
    ASSERT_EQ(pane.Elements().size(), 2u);
    EXPECT_TRUE(static_cast<const CTradeFlag&>(*pane.Elements()[0]).values.empty());
}

TEST(ViewParTest, DefaultsOfANewRecord) {
    const CViewPar par;
    EXPECT_EQ(par.frameColour, 0x808080u);
    EXPECT_EQ(par.axisTextColour, 0x808080u);
    EXPECT_EQ(par.backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(par.titleColour, 0u);
    EXPECT_EQ(par.gridPenStyle, 2);
    EXPECT_EQ(par.cellMaxX, 70);
    EXPECT_EQ(par.cellMaxY, 50);
    EXPECT_EQ(par.showVerticalGrid, 1);
    EXPECT_EQ(par.showHorizontalGrid, 1);
    for (const LOGFONT& font : {par.labelFont, par.axisFont}) {
        EXPECT_EQ(font.lfHeight, 15);
        EXPECT_EQ(font.lfWidth, 6);
        EXPECT_EQ(font.lfWeight, 400);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_STREQ(font.lfFaceName, "Arial");
    }
    EXPECT_TRUE(par.identifiers.empty());
    EXPECT_EQ(par.flagBytes, (std::array<uint8_t, 256>{}));
}

TEST(ViewParTest, ResetAndCopy) {
    CViewPar par;
    par.cellMaxX = 1000;
    par.labelFont.lfItalic = 1;
    par.flagBytes[255] = 7;
    par.AddIdentifier("SMA", false);
    CViewPar copy;
    copy.CopyFrom(par);
    EXPECT_EQ(copy.cellMaxX, 1000);
    EXPECT_EQ(copy.labelFont.lfItalic, 1);
    EXPECT_EQ(copy.flagBytes[255], 7);
    EXPECT_EQ(copy.identifiers, (Ids{"SMA"}));
    par.Reset();
    EXPECT_EQ(par.cellMaxX, 70);
    EXPECT_EQ(par.labelFont.lfItalic, 0);
    EXPECT_EQ(par.flagBytes[255], 0);
    EXPECT_TRUE(par.identifiers.empty());
}

TEST(ViewParTest, IdentifierListOperations) {
    CViewPar par;
    par.AddIdentifier("SMA", true);
    par.AddIdentifier("FLAGMA", false);
    par.AddIdentifier("FLAG", false);
    par.AddIdentifier("EMA", false);
    par.AddIdentifier("FLAGKDJ", false);
    CViewPar kept;
    kept.CopyFrom(par);
    kept.KeepFlagIdentifiers();
    EXPECT_EQ(kept.identifiers, (Ids{"FLAGMA", "FLAGKDJ"}));
    par.RemoveFlagIdentifiers();
    EXPECT_EQ(par.identifiers, (Ids{"SMA", "FLAG", "EMA"}));
    par.AddIdentifier("RSI", true);
    EXPECT_EQ(par.identifiers, (Ids{"RSI"}));
}

class StockRecordsTest : public IndicatorsTest {};

TEST_F(StockRecordsTest, StockHoldsTenRecordsAndIsAnElement) {
    CStock stock;
    EXPECT_EQ(CStock::kViewParCount, 10);
    stock.ViewPar(9).AddIdentifier("WR", false);
    EXPECT_EQ(stock.ViewPar(9).identifiers, (Ids{"WR"}));
    EXPECT_TRUE(stock.ViewPar(0).identifiers.empty());
    EXPECT_EQ(stock.TypeCode(), 37);
}

} // namespace
