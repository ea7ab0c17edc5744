#include "QuotesTestSupport.h"
#include "quotes/CStock.h"

namespace {
class WindowTest : public QuotesTest {
protected:
    WindowTest() { WriteSetup(); }

    // `count` daily bars; bar i has high 100 + i and low 50 - i.
    void Fill(CStock& stock, int count) {
        std::vector<SQuote> quotes;
        for (int i = 0; i < count; ++i)
            quotes.push_back(Quote(Day(1990, 1, 1) + i * 86400, 60, 100.0f + i, 50.0f - i, 70));
        stock.RestoreSeries(quotes, quotes);
    }
};

struct Shift {
    int firstDelta, endDelta;
    bool keepSaved;
};

struct ShiftCase {
    const char* name;
    std::vector<Shift> shifts;
    int first, end, savedFirst, savedEnd;
};
} // namespace

TEST_F(WindowTest, ResetShowsTheLast250Bars) {
    struct Case {
        int count, first, end;
    } cases[] = {{100, 0, 100}, {250, 0, 250}, {251, 1, 251}, {300, 50, 300}, {0, 0, 0}};
    for (const Case& c : cases) {
        CStock stock;
        Fill(stock, c.count);
        stock.ResetWindow();
        EXPECT_EQ(stock.WindowFirst(), c.first) << c.count;
        EXPECT_EQ(stock.WindowEnd(), c.end) << c.count;
        EXPECT_EQ(stock.SavedFirst(), c.first) << c.count;
        EXPECT_EQ(stock.SavedEnd(), c.end) << c.count;
        EXPECT_EQ(stock.BarsInWindow(), 50) << c.count;
    }
}

TEST_F(WindowTest, ShowLastBarsOpensTheRememberedSizeAtLeastOneBar) {
    struct Case {
        int count, bars, first, end;
    } cases[] = {{300, 50, 250, 300}, {10, 50, 0, 10}, {300, 0, 299, 300},
                 {51, 50, 1, 51},     {50, 50, 0, 50}, {0, 50, 0, 0}};
    for (const Case& c : cases) {
        CStock stock;
        Fill(stock, c.count);
        stock.SetBarsInWindow(c.bars, false);
        stock.ShowLastBars();
        EXPECT_EQ(stock.WindowFirst(), c.first) << c.count << "/" << c.bars;
        EXPECT_EQ(stock.WindowEnd(), c.end) << c.count << "/" << c.bars;
        EXPECT_EQ(stock.SavedFirst(), c.first);
        EXPECT_EQ(stock.SavedEnd(), c.end);
        EXPECT_EQ(stock.BarsInWindow(), c.bars);
    }
}

TEST_F(WindowTest, ShiftMovesRelativeToTheSavedWindow) {
    const ShiftCase cases[] = {
        {"scroll back", {{-10, -10, false}}, 240, 290, 240, 290},
        {"scroll past the end", {{10, 10, false}}, 260, 300, 260, 300},
        {"scroll before the start", {{-300, -300, false}}, 0, 300, 0, 300},
        {"zoom in", {{20, 0, false}}, 270, 300, 270, 300},
        {"crossed ends show the last bar", {{60, 0, false}}, 299, 300, 299, 300},
        {"crossed ends keep the saved window", {{60, 0, true}}, 299, 300, 250, 300},
        {"kept saved window is the base of the next move",
         {{-300, -300, true}, {50, 50, true}},
         0,
         50,
         0,
         50},
        {"moved saved window is the base of the next move",
         {{-300, -300, false}, {50, 50, false}},
         50,
         300,
         50,
         300},
        {"huge deltas do not overflow", {{INT32_MAX, INT32_MAX, false}}, 299, 300, 299, 300},
        {"huge negative deltas", {{INT32_MIN, INT32_MIN, false}}, 0, 300, 0, 300},
    };
    for (const ShiftCase& c : cases) {
        CStock stock;
        Fill(stock, 300);
        stock.ShowLastBars();
        for (const Shift& s : c.shifts) stock.ShiftWindow(s.firstDelta, s.endDelta, s.keepSaved);
        EXPECT_EQ(stock.WindowFirst(), c.first) << c.name;
        EXPECT_EQ(stock.WindowEnd(), c.end) << c.name;
        EXPECT_EQ(stock.SavedFirst(), c.savedFirst) << c.name;
        EXPECT_EQ(stock.SavedEnd(), c.savedEnd) << c.name;
        EXPECT_EQ(stock.BarsInWindow(), c.end - c.first) << c.name;
        EXPECT_LE(0, stock.WindowFirst());
        EXPECT_LE(stock.WindowFirst(), stock.WindowEnd());
    }
}

TEST_F(WindowTest, EmptySeriesKeepsAnEmptyWindowAndTheRange) {
    CStock stock;
    Fill(stock, 5);
    stock.ResetWindow();
    EXPECT_EQ(stock.VisibleHigh(), 104.0f);
    stock.ClearSeries(true, true);
    stock.ShiftWindow(-3, 7, false);
    EXPECT_EQ(stock.WindowFirst(), 0);
    EXPECT_EQ(stock.WindowEnd(), 0);
    EXPECT_EQ(stock.BarsInWindow(), 50);
    stock.ShowLastBars();
    stock.ResetWindow();
    EXPECT_EQ(stock.WindowFirst(), 0);
    EXPECT_EQ(stock.WindowEnd(), 0);
    EXPECT_EQ(stock.VisibleHigh(), 104.0f);
    EXPECT_EQ(stock.VisibleLow(), 46.0f);
}

TEST_F(WindowTest, VisibleRangeCoversTheWindowAndThePricePaneCurves) {
    CStock stock;
    Fill(stock, 300);
    std::vector<std::string> calls;
    auto host = std::make_unique<CRecordingPaneHost>(calls);
    CRecordingPaneHost& panes = *host;
    stock.SetPaneHost(std::move(host));
    stock.ShowLastBars();
    EXPECT_EQ(stock.VisibleHigh(), 399.0f);
    EXPECT_EQ(stock.VisibleLow(), -249.0f);
    EXPECT_EQ(calls, (std::vector<std::string>{"SetPaneWindow 250 300", "PricePaneCurveRange"}));

    panes.hasCurves = true;
    panes.curveHigh = 500;
    panes.curveLow = 0; // inside the bars: no change on that side
    stock.ComputeVisibleRange();
    EXPECT_EQ(stock.VisibleHigh(), 500.0f);
    EXPECT_EQ(stock.VisibleLow(), -249.0f);
    panes.curveHigh = 1;
    panes.curveLow = -1000;
    stock.ComputeVisibleRange();
    EXPECT_EQ(stock.VisibleHigh(), 399.0f);
    EXPECT_EQ(stock.VisibleLow(), -1000.0f);
}

TEST_F(WindowTest, OneBarWithNewHighAndLowWidensBothSides) {
    CStock stock;
    std::vector<SQuote> quotes = {Quote(Day(2000, 1, 3), 5, 6, 4, 5),
                                  Quote(Day(2000, 1, 4), 5, 9, 1, 5),
                                  Quote(Day(2000, 1, 5), 5, 7, 3, 5)};
    stock.RestoreSeries(quotes, quotes);
    stock.ResetWindow();
    EXPECT_EQ(stock.VisibleHigh(), 9.0f);
    EXPECT_EQ(stock.VisibleLow(), 1.0f);
    stock.RestoreWindow(2, 3);
    stock.ComputeVisibleRange();
    EXPECT_EQ(stock.VisibleHigh(), 7.0f);
    EXPECT_EQ(stock.VisibleLow(), 3.0f);
}

TEST_F(WindowTest, RestoredWindowBeyondTheSeriesIsClampedWhenUsed) {
    CStock stock;
    Fill(stock, 10);
    stock.RestoreWindow(5, 400);
    stock.ComputeVisibleRange();
    EXPECT_EQ(stock.VisibleHigh(), 109.0f);
    stock.ShiftWindow(0, 0, false);
    EXPECT_EQ(stock.WindowFirst(), 5);
    EXPECT_EQ(stock.WindowEnd(), 10);
}
