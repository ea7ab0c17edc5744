#include "AxisLabel.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr std::size_t kLabelChars = 5;

std::string FixedFour(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::size_t IntegerChars(const std::string& text) {
    const std::size_t point = text.find('.');
    return point == std::string::npos ? text.size() : point;
}
} // namespace

std::string FormatAxisLabel(double value) {
    if (!std::isfinite(value)) return {};
    std::string text = FixedFour(value);
    if (IntegerChars(text) <= kLabelChars) return text.substr(0, kLabelChars);

    const double magnitude = std::fabs(value);
    const double scale = magnitude < 1e6 ? 1e3 : magnitude < 1e9 ? 1e6 : 1e9;
    const char suffix = magnitude < 1e6 ? 'K' : magnitude < 1e9 ? 'M' : 'B';
    text = FixedFour(value / scale);
    // Four characters and the unit letter; past 999B every integer digit is kept.
    std::string shown = text.substr(0, std::max(IntegerChars(text), kLabelChars - 1));
    if (!shown.empty() && shown.back() == '.') shown.pop_back();
    return shown + suffix;
}
