#pragma once
#include <cstdint>

// The stored look of one curve: six 32-bit values in this order.
struct SCurveSetting {
    int32_t curveColor = 0x808080; // 0x00BBGGRR
    int32_t curveWidth = 1;
    int32_t drawType = 1;
    int32_t markId = 0;
    int32_t borderColor = 0;
    int32_t fillColor = 0xFFFFFF;
};
