#pragma once
#include <cstdint>
#include <functional>

class CStock;

// What the price-line settings dialog edits: the price style, line pen style, line weight
// and the five bar colours of a price series. Filled from the series, changed by the
// dialog's controls, and written back only on OK.
class CPriceLineSettings {
public:
    static constexpr int kPriceStyles = 7; // 0 hidden ... 6 line through the lows

    // A stored pen style outside 0..4 reads as solid, as the chart draws it.
    static CPriceLineSettings From(const CStock& stock);
    // Writes the eight values into the series; a value outside its list is brought into it
    // (a pen style as solid).
    void ApplyTo(CStock& stock) const;

    // The "Weight:" list shows weight 1 as its first entry.
    int WeightIndex() const { return weight - 1; }
    void SetWeightIndex(int index) { weight = index + 1; }

    int priceStyle = 1;
    int penStyle = 1;
    int weight = 1;
    uint32_t riseFill = 0xFFFFFF;
    uint32_t fallFill = 0x969600;
    uint32_t riseBorder = 0x0000FF;
    uint32_t fallBorder = 0x969600;
    uint32_t doji = 0x00FF00;

    friend bool operator==(const CPriceLineSettings&, const CPriceLineSettings&) = default;
};

// Runs the dialog on the settings of `stock`: `dialog` edits its copy and returns true for
// OK; only then the series takes the values and `invalidate` has the chart repainted.
bool EditPriceLineSettings(CStock& stock, const std::function<bool(CPriceLineSettings&)>& dialog,
                           const std::function<void()>& invalidate);
