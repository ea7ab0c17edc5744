#include "StockInfoPanelWidget.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "view/PaneTexts.h"
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <ctime>

namespace {

constexpr int kQuoteRows = 6;

int TextWidth(const QFontMetrics& metrics, const std::string& text) {
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

// A local noon, so that seven steps of a day give seven weekdays in any time zone.
int32_t SampleDay(int offset) {
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 22 + offset;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return static_cast<int32_t>(std::mktime(&tm));
}

} // namespace

StockInfoPanelWidget::StockInfoPanelWidget(QWidget* parent) : QWidget(parent) {
    // The model fills the whole area itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StockInfoPanelWidget::Show(CStock* series, int barIndex) {
    m_panel.Show(series, barIndex);
    update();
}

void StockInfoPanelWidget::Clear() {
    m_panel.Clear();
    update();
}

QSize StockInfoPanelWidget::sizeHint() const {
    QFont font = QtConvert::ToQFont(m_panel.Font());
    const QFontMetrics metrics(font);
    font.setWeight(QFont::Bold);
    const QFontMetrics boldMetrics(font);
    const int rowHeight = std::max(metrics.height(), boldMetrics.height()) + 3;

    // Labels and the widest value a quote can have: the longest weekday with a date, or a
    // volume in the billions.
    const CStockInfoPanel::STexts texts = m_panel.Texts();
    int labelWidth = 0;
    for (const CStockInfoPanel::SRow& row : texts.quote)
        labelWidth = std::max(labelWidth, TextWidth(metrics, row.label));
    int valueWidth = TextWidth(metrics, ": 1234567890.0");
    for (int day = 0; day < 7; ++day) {
        const int32_t date = SampleDay(day);
        const std::string value = ": " + CStockInfoPanel::WeekdayName(date) + ", " +
                                  PaneTexts::FormatDate(date, PaneTexts::DateFormat());
        valueWidth = std::max(valueWidth, TextWidth(metrics, value));
    }
    for (const CStockInfoPanel::SRow& row : texts.quote)
        valueWidth = std::max(valueWidth, TextWidth(metrics, row.value));
    const int quoteWidth = labelWidth + CStockInfoPanel::kColumnGap + valueWidth;
    const int headingWidth =
        TextWidth(boldMetrics, texts.heading.empty() ? "WWWW (NYSE)" : texts.heading);
    const int width = 2 * CStockInfoPanel::kMargin + std::max(quoteWidth, headingWidth);
    const int height = 2 * CStockInfoPanel::kMargin + (1 + kQuoteRows) * rowHeight;
    return {width, height};
}

void StockInfoPanelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDC dc(painter);
    m_panel.Paint(dc, width(), height());
}
