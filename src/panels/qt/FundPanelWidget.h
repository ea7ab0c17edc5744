#pragma once
#include "panels/CFundDistributionPanel.h"
#include <QWidget>
#include <functional>

class CStock;
class QImage;

// The fund distribution panel on screen: paints its model, off screen and then at once, for
// the price range that the price pane of the series' chart shows, and owns nothing but the
// model. It is never lower than the drawing, so that every row stays in view.
class FundPanelWidget : public QWidget {
public:
    // The prices the chart's price pane shows now (its view's yMin and yMax).
    using RangeSource = std::function<CFundDistributionPanel::SPriceRange()>;

    explicit FundPanelWidget(QWidget* parent = nullptr);

    CFundDistributionPanel& Panel() { return m_panel; }
    // The bar under the chart cursor: shown at the next paint, for the range `shown` gives
    // at that time; without one, for the range of the series' window.
    void Show(CStock* series, int barIndex, RangeSource shown = {});
    // The series is going away: only the caption is painted from now on.
    void Clear();
    // The range the next paint uses.
    CFundDistributionPanel::SPriceRange ShownRange() const;
    // What paintEvent puts on screen: the model's drawing `width` pixels wide.
    QImage Render(int width, qreal devicePixelRatio = 1.0);
    // The drawing's fixed height and room for the caption.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CFundDistributionPanel m_panel;
    RangeSource m_shown;
};
