#include "CurveRange.h"
#include <algorithm>
#include <cmath>

SCurveRange CurveRange(const std::vector<std::unique_ptr<CCurve>>& curves, int first, int end) {
    SCurveRange range;
    const std::size_t from = static_cast<std::size_t>(std::max(first, 0));
    for (const auto& curve : curves) {
        const std::size_t to = std::min(static_cast<std::size_t>(std::max(end, 0)), curve->size());
        for (std::size_t i = from; i < to; ++i) {
            const float v = curve->RawAt(i);
            if (!std::isfinite(v)) continue;
            if (!range.found) {
                range = {true, v, v};
                continue;
            }
            if (v > range.max) range.max = v;
            if (v < range.min) range.min = v;
        }
    }
    return range;
}
