#pragma once
#include "SPriceLook.h"
#include <string_view>
#include <vector>

struct SQuote;

// What a chart element is attached to (a pane container). Elements only keep a pointer to
// it; the owner outlives every element it holds.
class CElementOwner {
public:
    virtual ~CElementOwner() = default;

    // The bars of the price series the owner belongs to, which price snapping reads; null
    // when the owner is not bound to a series.
    virtual const std::vector<SQuote>* PriceBars() const { return nullptr; }
    // The values of the owner's indicator curve named `name`, one per bar; null when the
    // owner has no such curve. Channels and regression lines can follow a curve.
    virtual const std::vector<float>* CurveValues(std::string_view name) const { return nullptr; }
    // True while the price series the owner belongs to still lists the owner among its panes.
    virtual bool IsListedBySeries() const { return false; }
    // The look of the owner's price bars; false when the owner is not bound to a series.
    virtual bool PriceLook(SPriceLook& look) const { return false; }
};
