#pragma once
#include "quotes/CStock.h"
#include "view/CPriceLineSettings.h"
#include <QWidget>

// A rising, a falling and an unchanged bar of a small series of its own, drawn by the chart's
// price painter in the settings it was last given.
class CPriceLinePreview : public QWidget {
public:
    explicit CPriceLinePreview(QWidget* parent = nullptr);

    void SetSettings(const CPriceLineSettings& settings);

    QSize sizeHint() const override { return QSize(150, 100); }
    QSize minimumSizeHint() const override { return QSize(60, 40); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStock m_stock;
};
