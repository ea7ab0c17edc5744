#pragma once
#include <QComboBox>

// The five CDC pen styles (solid, dash, dot, dash-dot, dash-dot-dot), each shown as a sample
// line; the list index is the pen style 0..4.
class CLineStyleList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kStyleCount = 5;

    explicit CLineStyleList(QWidget* parent = nullptr);

    // A style outside 0..4 shows as solid.
    void SetPenStyle(int style);
    int PenStyle() const { return currentIndex(); }

signals:
    void penStyleChanged(int style);
};
