#include "ScaleTicks.h"
#include "CTickTable.h"
#include <cmath>

namespace ScaleTicks {

namespace {
constexpr int kExponentLimit = 49;
}

int DecimalExponent(float x) {
    const float a = std::fabs(x);
    if (a == 0.0f || !std::isfinite(a)) return 0;
    int n = 0;
    float p = 1.0f;
    if (a >= 1.0f) {
        while (n < kExponentLimit && p * 10.0f <= a) {
            p *= 10.0f;
            ++n;
        }
        return n;
    }
    while (n > -kExponentLimit && p > a) {
        p *= 0.1f;
        --n;
    }
    return n;
}

float PowerOfTen(int n) {
    float p = 1.0f;
    for (int i = 0; i < n; ++i) p *= 10.0f;
    for (int i = 0; i > n; --i) p *= 0.1f;
    return p;
}

float Mantissa(float x) {
    return x * PowerOfTen(-DecimalExponent(x));
}

float NiceStep(float q) {
    if (q <= 0.0f) return 0.0f;
    if (q <= 0.15f) return 0.1f;
    if (q <= 0.35f) return 0.2f;
    if (q <= 0.75f) return 0.5f;
    if (q <= 1.5f) return 1.0f;
    if (q <= 3.5f) return 2.0f;
    return 5.0f;
}

float FirstTick(float yMin, float s, int rangeExponent) {
    const int k = s >= 1.0f ? rangeExponent : rangeExponent - 1;
    const float q = Mantissa(yMin) * PowerOfTen(DecimalExponent(yMin) - k);
    float up;
    if (q <= 0.0f)
        up = std::trunc(q);
    else
        up = q - std::trunc(q) < 0.5f ? q : std::trunc(q) + 1.0f;
    return up * PowerOfTen(k);
}

SYTicks ComputeYTicks(float yMin, float yRange, int height, int cellMaxY) {
    SYTicks ticks;
    if (!std::isfinite(yMin) || !std::isfinite(yRange) || yRange <= 0.0f) return ticks;
    int rows = cellMaxY > 0 ? height / cellMaxY : 1;
    if (rows < 1) rows = 1;
    const int e = DecimalExponent(yRange);
    const float s = NiceStep(Mantissa(yRange) / static_cast<float>(rows));
    if (s == 0.0f) return ticks;
    ticks.step = s * PowerOfTen(e);
    ticks.first = FirstTick(yMin, s, e);
    const float count = std::trunc(yRange / ticks.step);
    if (!std::isfinite(count) || !std::isfinite(ticks.first)) return ticks;
    if (count < 1.0f) {
        // A step rounded up past the range still labels the first tick when it is on the scale.
        ticks.count = ticks.first <= yMin + yRange ? 1 : 0;
        return ticks;
    }
    ticks.count = count > CTickTable::kCapacity ? CTickTable::kCapacity : static_cast<int>(count);
    return ticks;
}

} // namespace ScaleTicks
