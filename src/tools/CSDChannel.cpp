#include "CSDChannel.h"
#include <algorithm>
#include <cmath>

constexpr unsigned kNameId = 74;

CSDChannel::CSDChannel() : CSDChannel(kTypeCode, kNameId) {}

CSDChannel::CSDChannel(int code, unsigned nameId) : CGChannel(code, nameId) {}

void CSDChannel::SnapToPrice() {
    const std::vector<float> values = SourceValues();
    if (values.empty()) return;
    const float last = static_cast<float>(values.size() - 1);
    x1 = !(x1 > 0) ? 0 : std::min(x1, last);
    x2 = !(x2 > 0) ? 0 : std::min(x2, last);
    // A bar without a value (a curve's warm-up) leaves its anchor's value as it was.
    if (std::isfinite(values[static_cast<size_t>(x1)])) y1 = values[static_cast<size_t>(x1)];
    if (std::isfinite(values[static_cast<size_t>(x2)])) y2 = values[static_cast<size_t>(x2)];
    const int from = static_cast<int>(std::min(x1, x2));
    const int to = static_cast<int>(std::max(x1, x2));
    float sum = 0;
    int count = 0;
    for (int i = from; i < to; ++i)
        if (std::isfinite(values[static_cast<size_t>(i)])) {
            sum += values[static_cast<size_t>(i)];
            ++count;
        }
    float squares = 0;
    if (count > 0) {
        const float mean = sum / static_cast<float>(count);
        for (int i = from; i < to; ++i) {
            const float v = values[static_cast<size_t>(i)];
            if (std::isfinite(v)) squares += (v - mean) * (v - mean);
        }
    }
    const float spread = Spread(squares, count);
    const float mid = (y1 + y2) / 2;
    y3 = mid + spread;
    y4 = mid - spread;
    x3 = x4 = (x1 + x2) / 2;
}

float CSDChannel::Spread(float squares, int count) const {
    if (count < 2) return 0;
    return std::sqrt(squares / static_cast<float>(count - 1));
}
