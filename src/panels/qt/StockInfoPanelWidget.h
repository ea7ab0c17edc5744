#pragma once
#include "panels/CStockInfoPanel.h"
#include <QWidget>

class CStock;

// The stock information panel on screen: paints its model and owns nothing but the model.
class StockInfoPanelWidget : public QWidget {
public:
    explicit StockInfoPanelWidget(QWidget* parent = nullptr);

    CStockInfoPanel& Panel() { return m_panel; }
    // The bar under the chart cursor: shown at the next paint.
    void Show(CStock* series, int barIndex);
    // The series is going away: only the labels are painted from now on.
    void Clear();
    // Room for the heading and the six quote rows in the panel font.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStockInfoPanel m_panel;
};
