#include "FundPanelWidget.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "ctlkit/dc/qt/QtDC.h"
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

// The caption's left margin and the outline bar's right one.
constexpr int kSideMargins = 3 + 6;
constexpr int kMinimumRowWidth = 200;

} // namespace

FundPanelWidget::FundPanelWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(CFundDistributionPanel::kHeight);
}

void FundPanelWidget::Show(CStock* series, int barIndex, RangeSource shown) {
    m_panel.Show(series, barIndex);
    m_shown = series ? std::move(shown) : RangeSource{};
    update();
}

void FundPanelWidget::Clear() {
    m_panel.Clear();
    m_shown = {};
    update();
}

CFundDistributionPanel::SPriceRange FundPanelWidget::ShownRange() const {
    if (!m_panel.Series()) return {};
    return m_shown ? m_shown() : m_panel.ShownRange();
}

QImage FundPanelWidget::Render(int width, qreal devicePixelRatio) {
    const int w = std::max(width, 1);
    QImage image(QSize(w, CFundDistributionPanel::kHeight) * devicePixelRatio,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtDC dc(painter);
    const CFundDistributionPanel::SPriceRange shown = ShownRange();
    m_panel.Paint(dc, w, shown.low, shown.high);
    return image;
}

QSize FundPanelWidget::sizeHint() const {
    const QFontMetrics metrics(QtConvert::ToQFont(m_panel.Font()));
    const int caption =
        metrics.horizontalAdvance(QString::fromStdString(CFundDistributionPanel::Caption(100.0f)));
    return {std::max(kMinimumRowWidth, caption) + kSideMargins, CFundDistributionPanel::kHeight};
}

void FundPanelWidget::paintEvent(QPaintEvent*) {
    // Drawn off screen first, so the rows never flicker while the cursor moves.
    const QImage image = Render(width(), devicePixelRatioF());
    QPainter painter(this);
    // The model paints its fixed height; a taller dock shows plain background below.
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), image);
}
