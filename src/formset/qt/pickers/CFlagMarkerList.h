#pragma once
#include <QComboBox>
#include <array>

// The markers of trade flags, each drawn as a chart draws it: circle (symbol 1), square (7),
// triangle down (8), triangle up (9), diamond (12) and arrow (13). The value is the symbol
// number, not the list index.
class CFlagMarkerList : public QComboBox {
    Q_OBJECT
public:
    static constexpr std::array<int, 6> kSymbols = {1, 7, 8, 9, 12, 13};

    explicit CFlagMarkerList(QWidget* parent = nullptr);

    // A symbol outside the list shows as the arrow, as a chart draws it.
    void SetSymbol(int symbol);
    int Symbol() const;

signals:
    void symbolChanged(int symbol);
};
