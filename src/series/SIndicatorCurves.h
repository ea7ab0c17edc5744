#pragma once
#include "CCurve.h"
#include <vector>

// The finished curves of one indicator in the order they go into the pane, and the levels of
// the horizontal reference lines that go with them (none for most indicators).
struct SIndicatorCurves {
    std::vector<CurvePtr> curves;
    std::vector<float> referenceLevels;
};
