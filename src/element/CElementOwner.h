#pragma once
#include "SPriceLook.h"
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
    // True while the price series the owner belongs to still lists the owner among its panes.
    virtual bool IsListedBySeries() const { return false; }
    // The look of the owner's price bars; false when the owner is not bound to a series.
    virtual bool PriceLook(SPriceLook& look) const { return false; }
};
