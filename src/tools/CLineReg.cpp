#include "CLineReg.h"
#include <algorithm>
#include <cmath>

constexpr unsigned kNameId = 73;

CLineReg::CLineReg() : CLine(kTypeCode, kNameId) {}

void CLineReg::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Float(intercept);
    fields.Float(slope);
}

void CLineReg::SnapToPrice() {
    const std::vector<float> values = SourceValues();
    if (values.empty()) return;
    const float last = static_cast<float>(values.size() - 1);
    x1 = !(x1 > 0) ? 0 : std::min(x1, last);
    x2 = !(x2 > 0) ? 0 : std::min(x2, last);
    const int from = static_cast<int>(std::min(x1, x2));
    const int to = static_cast<int>(std::max(x1, x2));
    // Centred sums keep the fit exact in floats far from bar 0.
    float sumX = 0, sumY = 0;
    int count = 0;
    for (int i = from; i <= to; ++i) {
        const float v = values[static_cast<size_t>(i)];
        if (!std::isfinite(v)) continue;
        sumX += static_cast<float>(i);
        sumY += v;
        ++count;
    }
    if (count == 0) return;
    const float meanX = sumX / static_cast<float>(count);
    const float meanY = sumY / static_cast<float>(count);
    float sxy = 0, sxx = 0;
    for (int i = from; i <= to; ++i) {
        const float v = values[static_cast<size_t>(i)];
        if (!std::isfinite(v)) continue;
        const float dx = static_cast<float>(i) - meanX;
        sxy += dx * (v - meanY);
        sxx += dx * dx;
    }
    slope = sxx > 0 ? sxy / sxx : 0;
    intercept = meanY - slope * meanX;
    y1 = slope * x1 + intercept;
    y2 = slope * x2 + intercept;
}
