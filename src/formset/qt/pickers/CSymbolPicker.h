#pragma once
#include <QListWidget>

// The 40 icons of the icon strip in a grid, each with its name; the value is the icon number
// 0..39. Arrow keys, Home and End move through the grid.
class CSymbolPicker : public QListWidget {
    Q_OBJECT
public:
    explicit CSymbolPicker(QWidget* parent = nullptr);

    // An icon number outside 0..39 shows as icon 0.
    void SetSymbol(int icon);
    int Symbol() const { return currentRow(); }

    QSize sizeHint() const override;

signals:
    void symbolChanged(int icon);
};
