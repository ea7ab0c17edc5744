#pragma once
#include <cstdint>

namespace Series {

// A colour as 0x00BBGGRR (red in the low byte).
constexpr uint32_t RGB(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// The colour that the period functions give a curve of period n:
// RGB(10n mod 256, 20n mod 256, 30n mod 256), each product reduced modulo 256 (also for
// negative n).
constexpr uint32_t PeriodColour(int n) {
    const auto mod256 = [](long long v) { return uint8_t(((v % 256) + 256) % 256); };
    return RGB(mod256(10LL * n), mod256(20LL * n), mod256(30LL * n));
}

} // namespace Series
