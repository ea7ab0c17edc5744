#include "CStockInfoPanel.h"
#include "ctlkit/lang/CLanguage.h"
#include "indicators/CStockPanes.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "view/PaneTexts.h"
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

namespace {

constexpr unsigned kSundayText = 39;
constexpr unsigned kFirstLabelText = 46;
constexpr std::array<const char*, 6> kLabelFallbacks = {"Time", "Open",  "High",
                                                        "Low",  "Close", "Volume"};

std::string Label(std::size_t row) {
    return CLanguage::TranslateString(kFirstLabelText + static_cast<unsigned>(row))
        .value_or(kLabelFallbacks[row]);
}

std::string Number(const char* format, float value) {
    char text[128];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

} // namespace

CStockInfoPanel::CStockInfoPanel() : m_font(CViewPar::DefaultFont()) {}

void CStockInfoPanel::Show(CStock* series, int barIndex) {
    m_series = series;
    m_barIndex = barIndex;
}

void CStockInfoPanel::Clear() {
    m_series = nullptr;
    m_barIndex = 0;
}

int CStockInfoPanel::ShownBar() const {
    if (!m_series || m_series->Display().empty()) return -1;
    const int last = static_cast<int>(m_series->Display().size()) - 1;
    return std::clamp(m_barIndex, 0, last);
}

std::string CStockInfoPanel::WeekdayName(int32_t date) {
    const std::time_t t = date;
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    return CLanguage::TranslateString(kSundayText + static_cast<unsigned>(local.tm_wday))
        .value_or("");
}

COLORREF CStockInfoPanel::DirectionColour(const CStock& series, const SQuote& bar) {
    const SPriceLook look = series.PriceLook();
    if (bar.close > bar.open) return look.riseLine;
    if (bar.close < bar.open) return look.fallLine;
    return look.dojiLine;
}

CStockInfoPanel::STexts CStockInfoPanel::Texts() const {
    const int bar = ShownBar();
    return STexts{Heading(), QuoteRows(bar), CurveRows(bar)};
}

std::string CStockInfoPanel::Heading() const {
    if (!m_series) return {};
    const std::string& market = m_series->Market();
    return market.empty() ? m_series->SymbolName() : m_series->SymbolName() + " (" + market + ")";
}

std::vector<CStockInfoPanel::SRow> CStockInfoPanel::QuoteRows(int bar) const {
    std::vector<SRow> rows;
    for (std::size_t i = 0; i < kLabelFallbacks.size(); ++i)
        rows.push_back(SRow{Label(i), {}, kLabelColour});
    if (bar < 0) return rows;
    const SQuote& q = m_series->Display()[static_cast<std::size_t>(bar)];
    const std::string date = PaneTexts::FormatDate(q.date, PaneTexts::DateFormat());
    const std::array<std::string, 6> values = {": " + WeekdayName(q.date) + ", " + date,
                                               Number(": %.3f", q.open),
                                               Number(": %.3f", q.high),
                                               Number(": %.3f", q.low),
                                               Number(": %.3f", q.close),
                                               Number(": %.1f", q.volume)};
    const COLORREF colour = DirectionColour(*m_series, q);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].value = values[i];
        rows[i].colour = colour;
    }
    return rows;
}

std::vector<CStockInfoPanel::SRow> CStockInfoPanel::CurveRows(int bar) const {
    std::vector<SRow> rows;
    if (bar < 0) return rows;
    const CStockPanes* panes = CStockPanes::Of(*m_series);
    if (!panes) return rows;
    const auto at = static_cast<std::size_t>(bar);
    for (std::size_t p = 0; p < panes->Count(); ++p) {
        const CTCurve* pane = panes->Pane(static_cast<int>(p));
        for (const auto* list : {&pane->Curves(), &pane->SecondCurves()}) {
            for (const auto& curve : *list) {
                // A curve not yet computed for this bar has no value, like an empty bar.
                const float value = at < curve->size() ? curve->RawAt(at) : kInvalid;
                rows.push_back(SRow{PaneTexts::CurveTitle(curve->name, curve->parameter, value),
                                    {},
                                    curve->colour});
            }
        }
    }
    return rows;
}

void CStockInfoPanel::Paint(CDC& dc, int width, int height) {
    dc.FillSolidRect(CRect{0, 0, width, height}, kBackground);
    const STexts texts = Texts();
    dc.SetBkMode(kTransparent);
    LOGFONT bold = m_font;
    bold.lfWeight = 700;
    dc.SelectFont(bold);
    const int rowHeight = dc.GetTextExtent("Ag").cy + 3;
    int y = kMargin;
    if (!texts.heading.empty()) {
        dc.SetTextColor(kLabelColour);
        dc.TextOut(kMargin, y, texts.heading);
        y += rowHeight;
    }
    dc.SelectFont(m_font);
    int labelWidth = 0;
    for (const SRow& row : texts.quote)
        labelWidth = std::max(labelWidth, dc.GetTextExtent(row.label).cx);
    y = PaintRows(dc, texts.quote, y, kMargin + labelWidth + kColumnGap, rowHeight, height);
    PaintRows(dc, texts.curves, y + rowHeight / 2, kMargin, rowHeight, height);
}

int CStockInfoPanel::PaintRows(CDC& dc, const std::vector<SRow>& rows, int y, int valueX,
                               int rowHeight, int height) {
    for (const SRow& row : rows) {
        if (y >= height) break;
        // A row without a value (a data-window row, a label alone) is drawn in its colour.
        dc.SetTextColor(row.value.empty() ? row.colour : kLabelColour);
        dc.TextOut(kMargin, y, row.label);
        if (!row.value.empty()) {
            dc.SetTextColor(row.colour);
            dc.TextOut(valueX, y, row.value);
        }
        y += rowHeight;
    }
    return y;
}
