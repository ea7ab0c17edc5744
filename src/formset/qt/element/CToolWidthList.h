#pragma once
#include <QComboBox>

// The pen widths of a drawing tool, 0 to 10 pixels, each with a sample line; index = width.
// Width 0 is drawn one pixel wide, as the thinnest pen.
class CToolWidthList : public QComboBox {
public:
    static constexpr int kMaxWidth = 10;

    explicit CToolWidthList(QWidget* parent = nullptr);

    // A width outside 0..10 shows as the nearest of them.
    void SetLineWidth(int width);
    int LineWidth() const { return currentIndex(); }
};
