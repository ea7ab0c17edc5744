#pragma once
#include <QComboBox>

// Line widths 1 to kMaxWidth pixels, each shown with a sample line; index = width - 1.
class CLineWidthList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kMaxWidth = 5;

    explicit CLineWidthList(QWidget* parent = nullptr);

    // A width below 1 (a stored 0 among them) shows as 1; one above kMaxWidth as kMaxWidth.
    void SetLineWidth(int width);
    int LineWidth() const { return currentIndex() + 1; }

signals:
    void lineWidthChanged(int width);
};
