#include "CFundDistributionPanel.h"
#include "ctlkit/lang/CLanguage.h"
#include "indicators/CStockPanes.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr unsigned kCaptionText = 134;
constexpr COLORREF kBlack = MakeRGB(0, 0, 0);
constexpr COLORREF kBackground = MakeRGB(255, 255, 255);

// Bin position of `price` in a range from `low` spanning `span`, cut toward zero and kept
// within 0..200; an empty range or a price that is not a number gives 0.
int BinOf(float price, float low, float span) {
    const float position = (price - low) / span * 200.0f;
    if (!(position > 0.0f)) return 0;
    if (position >= 200.0f) return 200;
    return static_cast<int>(position);
}

} // namespace

CFundDistributionPanel::CFundDistributionPanel() : m_font(CViewPar::DefaultFont()) {}

void CFundDistributionPanel::Show(CStock* series, int barIndex) {
    m_series = series;
    m_barIndex = barIndex;
}

void CFundDistributionPanel::Clear() {
    m_series = nullptr;
    m_barIndex = 0;
    m_lastPercentage = 0.0f;
}

CFundDistributionPanel::SPriceRange CFundDistributionPanel::ShownRange() const {
    if (!m_series) return {};
    return {m_series->VisibleLow(), m_series->VisibleHigh()};
}

std::string CFundDistributionPanel::Caption(float percentage) {
    const std::string title =
        CLanguage::TranslateString(kCaptionText).value_or("Profit Percentage");
    char number[64];
    std::snprintf(number, sizeof number, ":   %.2f%%", static_cast<double>(percentage));
    return title + number;
}

void CFundDistributionPanel::Paint(CDC& dc, int width, float shownLow, float shownHigh) {
    dc.FillSolidRect(CRect{0, 0, width, kHeight}, kBackground);
    COLORREF profit = MakeRGB(255, 0, 0);
    COLORREF loss = MakeRGB(0, 150, 150);
    if (m_series) {
        const SPriceLook look = m_series->PriceLook();
        profit = look.riseLine;
        loss = look.fallLine;
    }
    // The rows come first so that the caption shows the share of this bar, not the last one.
    float share = 0.0f;
    const bool drawn = PaintRows(dc, width, shownLow, shownHigh, profit, loss, share);
    dc.SelectFont(m_font);
    dc.SetBkMode(kTransparent);
    dc.SetTextColor(kBlack);
    // At 5 pixels from the top, unless the font's cell would reach into the bar below it.
    const std::string caption = Caption(m_lastPercentage);
    const int captionTop = std::clamp(kBarTop - dc.GetTextExtent(caption).cy, 0, kCaptionTop);
    dc.TextOut(3, captionTop, caption);
    if (!drawn) return;
    dc.SelectPen(SPen{kPenSolid, 1, kBlack});
    dc.SelectBrush(SBrush{profit});
    // The filled part spans the outline's width at 100 %.
    const int filled = static_cast<int>(static_cast<float>(width - 9) * share);
    if (filled > 0) dc.Rectangle(CRect{3, kBarTop, 3 + filled, kBarBottom});
}

bool CFundDistributionPanel::PaintRows(CDC& dc, int width, float shownLow, float shownHigh,
                                       COLORREF profit, COLORREF loss, float& share) {
    if (!m_series) return false;
    const CStockPanes* panes = CStockPanes::Of(*m_series);
    if (!panes) return false;
    const CCostDistribution& table = panes->CostDistribution();
    const int n = static_cast<int>(std::min(m_series->Display().size(), table.Size()));
    if (m_barIndex >= n) return false;
    const int bar = std::clamp(m_barIndex, 0, n - 1);
    const float close = m_series->Display()[bar].close;
    const CCostDistribution::Record& record = table.At(bar);
    const float lo = record[CCostDistribution::kLowField];
    const float hi = record[CCostDistribution::kHighField];
    const float span = hi - lo;
    const float max = *std::max_element(record.begin(), record.begin() + CCostDistribution::kBins);

    const int ci = BinOf(close, lo, span);
    const int bottom = shownLow <= lo ? 0 : BinOf(shownLow, lo, span);
    const int top = shownHigh >= hi ? 200 : BinOf(shownHigh, lo, span);
    const int step = top > bottom ? 200 / (top - bottom) : 200;
    // Bin 200 would be the range's low price, not a weight: the rows stop at bin 199.
    const int last = std::min(top, CCostDistribution::kBins - 1);

    dc.SelectPen(SPen{kPenSolid, 1, kBlack});
    dc.SelectBrush(SBrush{loss});
    dc.Rectangle(CRect{3, kBarTop, width - 6, kBarBottom});

    float below = 0.0f;
    float atOrAbove = 0.0f;
    auto row = [&](int j, COLORREF colour) {
        const float weight = record[j];
        if (max > 0.0f) {
            const int end = static_cast<int>(weight / max * static_cast<float>(width - 6));
            const int y = kBaseRow - step * (j - bottom);
            // A row too light to reach past the left margin is not drawn backwards.
            if (end > 3) {
                dc.SelectPen(SPen{kPenSolid, 1, colour});
                dc.Line(3, y, end, y);
            }
        }
        return weight;
    };
    for (int j = bottom; j < std::min(ci, last + 1); ++j) below += row(j, profit);
    for (int j = std::max(ci, bottom); j <= last; ++j) atOrAbove += row(j, loss);

    const float total = below + atOrAbove;
    share = total > 0.0f ? below / total : 0.0f;
    m_lastPercentage = 100.0f * below / (total > 0.0f ? total : 1.0f);
    return true;
}
