#pragma once
#include <QComboBox>

// The fourteen curve draw kinds 0..13 (markers, five lines, four kinds of sticks, four of
// bars), each shown as a small curve drawn the way a chart draws it; index = draw kind.
class CCurveStyleList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kKindCount = 14;

    explicit CCurveStyleList(QWidget* parent = nullptr);

    // A kind outside 0..13 shows as 1, the plain line.
    void SetCurveStyle(int kind);
    int CurveStyle() const { return currentIndex(); }

signals:
    void curveStyleChanged(int kind);
};
