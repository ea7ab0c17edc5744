#pragma once
#include "CCurve.h"

namespace Series {

// One input and period of the series functions that compute several in one pass; the input
// is read, not consumed.
struct SAveraged {
    const CCurve* x;
    int n;
};

} // namespace Series
