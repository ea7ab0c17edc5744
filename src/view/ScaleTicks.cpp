#include "ScaleTicks.h"
#include "CTickTable.h"
#include "element/SValueScale.h"
#include <algorithm>
#include <cmath>

namespace ScaleTicks {

namespace {
constexpr int kExponentLimit = 49;
// How far, in steps, a bound may miss a multiple and still be taken as on it.
constexpr double kOnStep = 1e-4;

// m x 10^p in doubles, as near the decimal number as a double gets (10^p is exact up to 22).
double Decimal(double m, int p) {
    double power = 1.0;
    for (int i = 0; i < std::abs(p); ++i) power *= 10.0;
    return p >= 0 ? m * power : m / power;
}

int Rows(int height, int cellMaxY) {
    const int rows = cellMaxY > 0 ? height / cellMaxY : 1;
    return rows < 1 ? 1 : rows;
}
} // namespace

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

std::vector<float> RoundYTicks(float yMin, float yRange, int height, int cellMaxY) {
    std::vector<float> values;
    if (!std::isfinite(yMin) || !std::isfinite(yRange) || yRange <= 0.0f) return values;
    const int e = DecimalExponent(yRange);
    const float s = NiceStep(Mantissa(yRange) / static_cast<float>(Rows(height, cellMaxY)));
    if (s == 0.0f) return values;
    // The step as a whole multiplier of a power of ten: 0.2 x 10^e is 2 x 10^(e-1).
    const int p = s < 1.0f ? e - 1 : e;
    const double m = std::round(s < 1.0f ? s * 10.0f : s);
    const double unit = Decimal(m, p);
    const double first = std::ceil(static_cast<double>(yMin) / unit - kOnStep);
    const double last =
        std::floor((static_cast<double>(yMin) + static_cast<double>(yRange)) / unit + kOnStep);
    for (double n = first; n <= last && values.size() < CTickTable::kCapacity; n += 1.0)
        values.push_back(static_cast<float>(Decimal(n * m, p)));
    return values;
}

std::vector<float> LogYTicks(float yMin, float yMax, int height, int cellMaxY) {
    std::vector<float> values;
    if (!SValueScale::CanBeLogarithmic(yMin, yMax)) return values;
    const double low = std::log10(static_cast<double>(yMin));
    const double high = std::log10(static_cast<double>(yMax));
    const double decades = high - low;
    if (decades < 1.0) return RoundYTicks(yMin, yMax - yMin, height, cellMaxY);
    const double perDecade = Rows(height, cellMaxY) / decades;
    const bool thirds = perDecade >= 3.0;
    // Every k-th power of ten, so that no two labels share a row.
    const int k = perDecade >= 1.0 ? 1 : static_cast<int>(std::ceil(1.0 / perDecade));
    const double slack = decades * kOnStep;
    for (int n = static_cast<int>(std::floor(low)); n <= static_cast<int>(std::ceil(high)); ++n) {
        if (n % k != 0) continue;
        for (const double m : {1.0, 2.0, 5.0}) {
            if (m != 1.0 && !thirds) break;
            const double value = Decimal(m, n);
            const double at = std::log10(value);
            if (at < low - slack || at > high + slack) continue;
            if (values.size() >= CTickTable::kCapacity) return values;
            values.push_back(static_cast<float>(value));
        }
    }
    return values;
}

} // namespace ScaleTicks
