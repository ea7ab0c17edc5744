#pragma once
#include "panels/CFundDistributionPanel.h"
#include <QWidget>

class CStock;

// The fund distribution panel on screen: paints its model for the price range the series'
// window shows, and owns nothing but the model.
class FundPanelWidget : public QWidget {
public:
    explicit FundPanelWidget(QWidget* parent = nullptr);

    CFundDistributionPanel& Panel() { return m_panel; }
    // The bar under the chart cursor: shown at the next paint.
    void Show(CStock* series, int barIndex);
    // The series is going away: only the caption is painted from now on.
    void Clear();
    // The drawing's fixed height and room for the caption.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CFundDistributionPanel m_panel;
};
