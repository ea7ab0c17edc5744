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

    // The lists of the panes other than `changed` are as PlaceIndicators left them.
    void ExpectListsAndNamesKeptOutside(CStock& stock, int changed) {
        const Ids placed[] = {{"SMA", "EMA", "FLAGMA"}, {"MACD", "RSI"}, {"FLAGKDJ", "VOL"}};
        for (int pane = 0; pane < 3; ++pane)
            if (pane != changed) EXPECT_EQ(stock.ViewPar(pane).identifiers, placed[pane]);
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

TEST_F(ReplayTest, ReplayOfAnEmptiedPaneLeavesOnlyTheDrawings) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    BuildIndicator(stock, "RSI", 1, false, true);
    auto line = std::make_unique<CLine>();
    const CSymbol* drawing = line.get();
    PaneOf(stock, 1).AddElement(std::move(line));
    ASSERT_FALSE(PaneOf(stock, 1).Curves().empty());
    ASSERT_EQ(PaneOf(stock, 0).Elements().size(), 2u);
    const std::string name = PaneOf(stock, 1).paneName;

    CStockPanes& panes = *CStockPanes::Of(stock);
    for (int pane : {0, 1}) stock.ViewPar(pane).identifiers.clear();
    for (int pane : {0, 1}) panes.ReplayPane(stock, pane);
    EXPECT_TRUE(PaneOf(stock, 0).Elements().empty());
    EXPECT_TRUE(PaneOf(stock, 1).Curves().empty());
    ASSERT_EQ(PaneOf(stock, 1).Elements().size(), 1u);
    EXPECT_EQ(PaneOf(stock, 1).Elements()[0].get(), drawing);
    EXPECT_EQ(PaneOf(stock, 1).paneName, name);
    EXPECT_FALSE(PaneOf(stock, 1).HasRange());
    // A pane that does not exist is left alone.
    panes.ReplayPane(stock, 5);
    EXPECT_EQ(panes.Count(), 2u);
}

TEST_F(ReplayTest, ReplayOfOnePaneTagsItsCurvesAndSetsItsWindow) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    PlaceIndicators(stock);
    CStockPanes& panes = *CStockPanes::Of(stock);
    panes.ReplayPane(stock, 1);
    const CTCurve& pane = PaneOf(stock, 1);
    EXPECT_EQ(pane.WindowFirst(), stock.WindowFirst());
    EXPECT_EQ(pane.WindowEnd(), stock.WindowEnd());
    EXPECT_TRUE(pane.HasRange());
    // MACD built the first curves, RSI the rest.
    ASSERT_GE(pane.Curves().size(), 2u);
    EXPECT_EQ(pane.Curves().front()->entryIndex, 0);
    EXPECT_EQ(pane.Curves().back()->entryIndex, 1);
    for (const auto& element : pane.Elements()) EXPECT_EQ(element->entryIndex, 1);
}

TEST_F(ReplayTest, RemovingAnEntryRebuildsThePaneFromTheOthers) {
    struct SCase {
        int pane;
        int entry;
        Ids left;
        bool removed;
    } cases[] = {
        {0, 1, {"SMA", "FLAGMA"}, true}, {0, 0, {"EMA", "FLAGMA"}, true},
        {0, 2, {"SMA", "EMA"}, true},    {1, 0, {"RSI"}, true},
        {2, 0, {"VOL"}, true},           {2, 1, {"FLAGKDJ"}, true},
        {1, 2, {"MACD", "RSI"}, false},  {1, -1, {"MACD", "RSI"}, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.pane) + "/" + std::to_string(c.entry));
        CStock stock;
        ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
        PlaceIndicators(stock);
        const std::string name = PaneOf(stock, c.pane).paneName;
        EXPECT_EQ(RemoveIndicatorEntry(stock, c.pane, c.entry), c.removed);
        EXPECT_EQ(stock.ViewPar(c.pane).identifiers, c.left);
        EXPECT_EQ(PaneOf(stock, c.pane).paneName, name);
        ExpectListsAndNamesKeptOutside(stock, c.pane);
        // The pane holds what building the remaining list anew gives, each piece tagged
        // with its new position.
        CStock fresh;
        ASSERT_TRUE(LoadQuotesInPeriod(fresh, TtrcPath(), {}, 400, nullptr));
        for (std::size_t i = 0; i < c.left.size(); ++i)
            BuildIndicator(fresh, c.left[i], c.pane, i != 0, true);
        const CTCurve& got = PaneOf(stock, c.pane);
        const CTCurve& want = PaneOf(fresh, c.pane);
        ExpectSamePane(got, want);
        for (std::size_t i = 0; i < got.Curves().size(); ++i)
            EXPECT_EQ(got.Curves()[i]->entryIndex, want.Curves()[i]->entryIndex);
        for (std::size_t i = 0; i < got.Elements().size(); ++i)
            EXPECT_EQ(got.Elements()[i]->entryIndex, want.Elements()[i]->entryIndex);
    }
}

TEST_F(ReplayTest, RemovingTheLastEntryEmptiesThePaneAndBadNumbersChangeNothing) {
    CStock stock;
    ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr));
    PlaceIndicators(stock);
    EXPECT_FALSE(RemoveIndicatorEntry(stock, 10, 0));
    EXPECT_FALSE(RemoveIndicatorEntry(stock, 3, 0)); // no entry in that list
    EXPECT_TRUE(RemoveIndicatorEntry(stock, 1, 1));
    EXPECT_TRUE(RemoveIndicatorEntry(stock, 1, 0));
    EXPECT_TRUE(stock.ViewPar(1).identifiers.empty());
    EXPECT_TRUE(PaneOf(stock, 1).Curves().empty());
    EXPECT_TRUE(PaneOf(stock, 1).Elements().empty());
    ExpectListsAndNamesKeptOutside(stock, 1);
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
