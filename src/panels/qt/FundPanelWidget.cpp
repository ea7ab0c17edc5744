#include "FundPanelWidget.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "ctlkit/dc/qt/QtDC.h"
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// The caption's left margin and the outline bar's right one.
constexpr int kSideMargins = 3 + 6;
constexpr int kMinimumRowWidth = 200;

} // namespace

FundPanelWidget::FundPanelWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FundPanelWidget::Show(CStock* series, int barIndex) {
    m_panel.Show(series, barIndex);
    update();
}

void FundPanelWidget::Clear() {
    m_panel.Clear();
    update();
}

QSize FundPanelWidget::sizeHint() const {
    const QFontMetrics metrics(QtConvert::ToQFont(m_panel.Font()));
    const int caption =
        metrics.horizontalAdvance(QString::fromStdString(CFundDistributionPanel::Caption(100.0f)));
    return {std::max(kMinimumRowWidth, caption) + kSideMargins, CFundDistributionPanel::kHeight};
}

void FundPanelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The model paints its fixed height; a taller dock shows plain background below.
    painter.fillRect(rect(), Qt::white);
    QtDC dc(painter);
    const CFundDistributionPanel::SPriceRange shown = m_panel.ShownRange();
    m_panel.Paint(dc, width(), shown.low, shown.high);
}
