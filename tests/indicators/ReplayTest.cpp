#include "CurveCompare.h"
#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CViewPar.h"
#include "quotes/PeriodChoice.h"
#include "tools/CLine.h"

namespace {

using Ids = std::vector<std::string>;

class ReplayTest : public IndicatorsTest {
protected:
    // Pane 0: SMA, EMA inserted, flags; pane 1: MACD, RSI inserted; pane 2: flags first.
    void PlaceIndicators(CStock& stock) {
        BuildIndicator(stock, "SMA", 0, false, true);
        BuildIndicator(stock, "EMA", 0, true, true);
        BuildIndicator(stock, "FLAGMA", 0, true, true);
        BuildIndicator(stock, "MACD", 1, false, true);
        BuildIndicator(stock, "RSI", 1, true, true);
        BuildIndicator(stock, "FLAGKDJ", 2, true, true);
        BuildIndicator(stock, "VOL", 2, true, true);
    }

    // What building the same lists anew on a series loaded in `period` gives.
    void ExpectLikeFreshBuild(CStock& stock, SPeriodChoice period) {
        CStock fresh;
        ASSERT_TRUE(LoadQuotesInPeriod(fresh, TtrcPath(), period, 400, nullptr));
        PlaceIndicators(fresh);
        ASSERT_EQ(fresh.Display().size(), stock.Display().size());
        for (int pane = 0; pane < 3; ++pane) {
            SCOPED_TRACE(pane);
            ExpectSamePane(PaneOf(stock, pane), PaneOf(fresh, pane));
            for (const auto& curve : PaneOf(stock, pane).Curves())
                EXPECT_EQ(curve->size(), stock.Display().size());
        }
    }

    void ExpectListsAndNamesKept(CStock& stock) {
        EXPECT_EQ(stock.ViewPar(0).identifiers, (Ids{"SMA", "EMA", "FLAGMA"}));
        EXPECT_EQ(stock.ViewPar(1).identifiers, (Ids{"MACD", "RSI"}));
        EXPECT_EQ(stock.ViewPar(2).identifiers, (Ids{"FLAGKDJ", "VOL"}));
        EXPECT_EQ(PaneOf(stock, 0).paneName, "SMA,EMA");
        EXPECT_EQ(PaneOf(stock, 1).paneName, "MACD RSI");
        EXPECT_EQ(PaneOf(stock, 2).paneName, "NoName VOL");
    }
};

TEST_F(ReplayTest, PeriodChangeRecomputesEveryPaneFromItsList) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    PlaceIndicators(stock);

    stock.MakeWeekLine(false);
    ExpectLikeFreshBuild(stock, {CStock::kPeriodWeek, 2});
    ExpectListsAndNamesKept(stock);

    stock.MakeMonthLine(false);
    ExpectLikeFreshBuild(stock, {CStock::kPeriodMonth, 2});
    stock.SetNDays(3);
    stock.MakeNDayLine(false);
    ExpectLikeFreshBuild(stock, {CStock::kPeriodNDays, 3});
    stock.MakeDayLine(false);
    ExpectLikeFreshBuild(stock, {CStock::kPeriodDay, 2});
    ExpectListsAndNamesKept(stock);
}

TEST_F(ReplayTest, UserDrawingStaysAndTheFlagsFollowIt) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    BuildIndicator(stock, "SMA", 0, false, true);
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    auto line = std::make_unique<CLine>();
    const CSymbol* drawing = line.get();
    PaneOf(stock, 0).AddElement(std::move(line));
    stock.MakeWeekLine(false);
    const auto& elements = PaneOf(stock, 0).Elements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].get(), drawing);
    EXPECT_EQ(elements[1]->name, "SMABuy");
    EXPECT_EQ(elements[2]->name, "SMASell");
}

TEST_F(ReplayTest, LoadingQuotesReplaysTheLists) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {CStock::kPeriodWeek, 2}, 400, nullptr));
    PlaceIndicators(stock);
    ASSERT_TRUE(stock.LoadQuoteFile(TtrcPath()));
    ExpectLikeFreshBuild(stock, {CStock::kPeriodWeek, 2});
    ExpectListsAndNamesKept(stock);
}

TEST_F(ReplayTest, ReloadThenReplayAsTheRefreshCommandDoes) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {CStock::kPeriodMonth, 2}, 400, nullptr));
    PlaceIndicators(stock);
    ASSERT_TRUE(stock.ReloadQuoteFile(TtrcPath(), true, true));
    // The reload leaves the curves without data until they are replayed.
    EXPECT_TRUE(PaneOf(stock, 1).Curves()[0]->empty());
    stock.PaneHost()->ReplayIndicators(stock);
    ExpectLikeFreshBuild(stock, {CStock::kPeriodMonth, 2});
}

TEST_F(ReplayTest, FlagOnlyListDoesNotPileUpFlags) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    for (int round = 0; round < 3; ++round) {
        stock.MakeWeekLine(false);
        stock.MakeDayLine(false);
    }
    auto flags = FlagsOf(PaneOf(stock, 0));
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0]->values.size(), stock.Display().size());
    EXPECT_EQ(PaneOf(stock, 0).paneName, "NoName");
}

TEST_F(ReplayTest, PaneWithoutListKeepsItsCurvesEmptiedOfData) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    BuildIndicator(stock, "ATR", 1, false, false);
    stock.MakeWeekLine(false);
    ASSERT_EQ(PaneOf(stock, 1).Curves().size(), 3u);
    EXPECT_TRUE(PaneOf(stock, 1).Curves()[0]->empty());
}

TEST_F(ReplayTest, ReplayedPanesGetTheNewWindowRange) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    BuildIndicator(stock, "VOL", 1, false, true);
    stock.MakeMonthLine(false);
    const CTCurve& pane = PaneOf(stock, 1);
    EXPECT_EQ(pane.WindowFirst(), 0);
    EXPECT_EQ(pane.WindowEnd(), static_cast<int>(stock.Display().size()));
    float highest = 0;
    for (const SQuote& q : stock.Display()) highest = std::max(highest, q.volume);
    ASSERT_TRUE(pane.HasRange());
    EXPECT_EQ(pane.RangeMax(), highest);
}

} // namespace
