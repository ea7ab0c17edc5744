#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CStockPanes.h"
#include "panels/CFundDistributionPanel.h"
#include "quotes/CStock.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kProfit = MakeRGB(255, 0, 0);
constexpr COLORREF kLoss = MakeRGB(0, 150, 150);

// A series with its pane set; it reads no settings, so no installation is needed.
class FundDistributionPanelTest : public ::testing::Test {
protected:
    FundDistributionPanelTest() : m_scoped(prompter) {}

    // One bar per (low, high, close), volume 1000.
    void Load(const std::vector<std::array<float, 3>>& prices) {
        std::vector<SQuote> bars;
        for (const auto& p : prices) {
            SQuote q;
            q.date = 86400 * static_cast<int>(bars.size() + 1);
            q.low = p[0];
            q.high = p[1];
            q.open = q.close = p[2];
            q.volume = 1000;
            bars.push_back(q);
        }
        CStockPanes& panes = CStockPanes::InstallIn(stock);
        stock.RestoreSeries(bars, bars);
        stock.RestoreWindow(0, static_cast<int>(bars.size()));
        panes.RebuildCostDistribution(stock);
    }

    std::vector<CRecordingDC::SOp> RowsOf(const CRecordingDC& dc, COLORREF colour) const {
        std::vector<CRecordingDC::SOp> rows;
        for (const auto& op : dc.OpsOf(CRecordingDC::kLine))
            if (op.pen.colour == colour) rows.push_back(op);
        return rows;
    }

    CRecordingPrompter prompter;
    CStock stock;
    CFundDistributionPanel panel;

private:
    CScopedPrompter m_scoped;
};

} // namespace

TEST_F(FundDistributionPanelTest, SingleBarSplitsAtItsClose) {
    Load({{10, 20, 15}});
    panel.Show(&stock, 0);
    CRecordingDC dc;
    panel.Paint(dc, 206, 0.0f, 100.0f);
    const auto profit = RowsOf(dc, kProfit);
    const auto loss = RowsOf(dc, kLoss);
    ASSERT_EQ(profit.size(), 100u);
    ASSERT_EQ(loss.size(), 100u);
    // Bin j at row 235 - j, as long as the widest bin: to x = 200.
    EXPECT_EQ(profit[0].points, (std::vector<CPoint>{{3, 235}, {200, 235}}));
    EXPECT_EQ(profit[99].points, (std::vector<CPoint>{{3, 136}, {200, 136}}));
    EXPECT_EQ(loss[0].points, (std::vector<CPoint>{{3, 135}, {200, 135}}));
    EXPECT_EQ(loss[99].points, (std::vector<CPoint>{{3, 36}, {200, 36}}));
    EXPECT_EQ(panel.LastPercentage(), 50.0f);

    const auto rects = dc.OpsOf(CRecordingDC::kRectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (CRect{3, 20, 200, 30}));
    EXPECT_EQ(rects[0].brush.colour, kLoss);
    EXPECT_EQ(rects[1].rect, (CRect{3, 20, 101, 30})); // 3 + trunc(197 x 0.5)
    EXPECT_EQ(rects[1].brush.colour, kProfit);
    EXPECT_EQ(rects[1].pen, (SPen{kPenSolid, 1, MakeRGB(0, 0, 0)}));
    // The caption shows this bar's share, drawn at (3, 5) in the panel font.
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Profit Percentage:   50.00%");
    EXPECT_EQ(texts[0].points[0], (CPoint{3, 5}));
    EXPECT_EQ(std::string(texts[0].font.lfFaceName), "Arial");
    EXPECT_EQ(texts[0].font.lfHeight, 15);
}

TEST_F(FundDistributionPanelTest, NarrowerShownRangeSpreadsTheRowsApart) {
    Load({{10, 20, 15}});
    panel.Show(&stock, 0);
    CRecordingDC dc;
    // Shown 12.5..17.5: bins 50..150, two rows per bin.
    panel.Paint(dc, 206, 12.5f, 17.5f);
    const auto profit = RowsOf(dc, kProfit);
    const auto loss = RowsOf(dc, kLoss);
    ASSERT_EQ(profit.size(), 50u);
    ASSERT_EQ(loss.size(), 51u);
    EXPECT_EQ(profit[0].points[0], (CPoint{3, 235}));
    EXPECT_EQ(loss.back().points[0], (CPoint{3, 35}));
    EXPECT_EQ(panel.LastPercentage(), 100.0f * 50.0f / 101.0f);
    EXPECT_EQ(dc.Texts().back(), "Profit Percentage:   49.50%");
}

TEST_F(FundDistributionPanelTest, CloseAtTheRangeHighIsAllProfit) {
    Load({{10, 20, 15}, {12, 20, 20}});
    panel.Show(&stock, 1);
    CRecordingDC dc;
    panel.Paint(dc, 206, 0.0f, 100.0f);
    EXPECT_EQ(RowsOf(dc, kProfit).size(), 200u);
    EXPECT_TRUE(RowsOf(dc, kLoss).empty());
    EXPECT_EQ(panel.LastPercentage(), 100.0f);
    EXPECT_EQ(dc.OpsOf(CRecordingDC::kRectangle).back().rect, (CRect{3, 20, 200, 30}));
}

TEST_F(FundDistributionPanelTest, RowsFollowTheBinWeights) {
    // Bar 1 adds twice bar 0's weight to bins 100..199 only: the lower rows are a third as
    // long as the upper ones.
    Load({{10, 20, 10}, {15, 20, 10}});
    panel.Show(&stock, 1);
    CRecordingDC dc;
    panel.Paint(dc, 206, 0.0f, 100.0f);
    const auto loss = RowsOf(dc, kLoss);
    ASSERT_EQ(loss.size(), 200u);
    EXPECT_EQ(loss[0].points[1], (CPoint{66, 235}));
    EXPECT_EQ(loss[199].points[1], (CPoint{200, 36}));
    EXPECT_EQ(panel.LastPercentage(), 0.0f);
}

TEST_F(FundDistributionPanelTest, WithoutABarOnlyTheCaptionIsDrawn) {
    Load({{10, 20, 15}});
    panel.Show(&stock, 0);
    CRecordingDC first;
    panel.Paint(first, 206, 0.0f, 100.0f);
    for (CStock* series : {static_cast<CStock*>(nullptr), &stock}) {
        panel.Show(series, 1); // one past the last bar when a series is given
        CRecordingDC dc;
        panel.Paint(dc, 206, 0.0f, 100.0f);
        EXPECT_TRUE(dc.OpsOf(CRecordingDC::kLine).empty());
        EXPECT_TRUE(dc.OpsOf(CRecordingDC::kRectangle).empty());
        EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Profit Percentage:   50.00%"}));
    }
}

TEST_F(FundDistributionPanelTest, RangeOfOnePriceDrawsWithoutDividingByZero) {
    Load({{15, 15, 15}, {15, 15, 15}});
    panel.Show(&stock, 1);
    CRecordingDC dc;
    panel.Paint(dc, 206, 0.0f, 100.0f);
    EXPECT_EQ(RowsOf(dc, kLoss).size(), 200u);
    EXPECT_EQ(panel.LastPercentage(), 0.0f);
}

TEST_F(FundDistributionPanelTest, ClearForgetsTheSeriesAndItsShare) {
    Load({{10, 20, 15}});
    panel.Show(&stock, 0);
    CRecordingDC first;
    panel.Paint(first, 206, 0.0f, 100.0f);
    ASSERT_EQ(panel.LastPercentage(), 50.0f);
    panel.Clear();
    EXPECT_EQ(panel.Series(), nullptr);
    EXPECT_EQ(panel.BarIndex(), 0);
    EXPECT_EQ(panel.LastPercentage(), 0.0f);
    EXPECT_EQ(panel.ShownRange(), (CFundDistributionPanel::SPriceRange{0.0f, 0.0f}));
    CRecordingDC dc;
    panel.Paint(dc, 206, 0.0f, 100.0f);
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kLine).empty());
    EXPECT_TRUE(dc.OpsOf(CRecordingDC::kRectangle).empty());
    const auto fills = dc.OpsOf(CRecordingDC::kFillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (CRect{0, 0, 206, CFundDistributionPanel::kHeight}));
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Profit Percentage:   0.00%"}));
}

TEST_F(FundDistributionPanelTest, ShownRangeIsTheWindowsLowestLowAndHighestHigh) {
    Load({{10, 20, 15}, {12, 30, 20}, {5, 14, 8}, {18, 25, 22}});
    panel.Show(&stock, 0);
    struct Case {
        int first;
        int end;
        CFundDistributionPanel::SPriceRange range;
    };
    const Case cases[] = {
        {0, 4, {5, 30}}, {0, 2, {10, 30}}, {1, 2, {12, 30}}, {3, 4, {18, 25}}, {2, 4, {5, 25}}};
    for (const Case& c : cases) {
        stock.RestoreWindow(c.first, c.end);
        stock.ComputeVisibleRange();
        EXPECT_EQ(panel.ShownRange(), c.range) << c.first << ".." << c.end;
    }
}

// A font whose cell is taller than the room above the bar moves the caption up, never
// above the panel's top.
TEST_F(FundDistributionPanelTest, TallCaptionFontStaysAboveTheBar) {
    struct CTallTextDC : CRecordingDC {
        int cellHeight = 0;
        CSize GetTextExtent(std::string_view text) override {
            return {static_cast<int>(text.size()) * 6, cellHeight};
        }
    };
    for (const auto& [cell, top] : {std::pair{15, 5}, {12, 5}, {17, 3}, {20, 0}, {26, 0}}) {
        CTallTextDC dc;
        dc.cellHeight = cell;
        panel.Paint(dc, 206, 0.0f, 100.0f);
        const auto texts = dc.OpsOf(CRecordingDC::kText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].points[0], (CPoint{3, top})) << cell;
    }
}
