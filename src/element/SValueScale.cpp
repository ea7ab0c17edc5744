#include "SValueScale.h"
#include <cmath>

bool SValueScale::CanBeLogarithmic(float min, float max) {
    return std::isfinite(min) && std::isfinite(max) && min > 0.0f && max > min;
}

bool SValueScale::MapsLogarithmically() const {
    return logarithmic && CanBeLogarithmic(min, min + range);
}

float SValueScale::Row(float value, int bottom, int height) const {
    if (!MapsLogarithmically())
        return static_cast<float>(bottom) - (value - min) / range * static_cast<float>(height);
    if (std::isnan(value)) return value;
    const double low = std::log10(static_cast<double>(min));
    const double span = std::log10(static_cast<double>(min) + range) - low;
    const double up =
        value > 0.0f ? (std::log10(static_cast<double>(value)) - low) / span : -HUGE_VAL;
    return static_cast<float>(bottom - up * height);
}

float SValueScale::Value(int row, int bottom, int height) const {
    if (!MapsLogarithmically())
        return static_cast<float>(bottom - row) / static_cast<float>(height) * range + min;
    const double low = std::log10(static_cast<double>(min));
    const double span = std::log10(static_cast<double>(min) + range) - low;
    return static_cast<float>(
        std::pow(10.0, low + static_cast<double>(bottom - row) / height * span));
}
