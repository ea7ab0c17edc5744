#pragma once
#include "series/CCurve.h"
#include <memory>
#include <vector>

// Highest and lowest finite value of a set of curves over the bars [first, end); bars a curve
// does not reach are skipped.
struct SCurveRange {
    bool found = false;
    float max = 0;
    float min = 0;
};

SCurveRange CurveRange(const std::vector<std::unique_ptr<CCurve>>& curves, int first, int end);
