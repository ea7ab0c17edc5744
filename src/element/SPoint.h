#pragma once
#include <cstdint>

// A pixel position, stored as two ints.
struct SPoint {
    int32_t x = 0;
    int32_t y = 0;
};
