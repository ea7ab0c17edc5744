#pragma once
#include "SeriesColour.h"
#include <cstdint>
#include <string>
#include <vector>

// The data of one trade-flag series, from which the flag chart element is built: one price
// per bar at which a flag is drawn, 0.0 where the bar has none.
struct STradeFlagData {
    std::vector<float> values;
    int direction = 1; // 1 buy, 0 sell
    std::string name;
    uint32_t colour = Series::RGB(0, 0, 0);
    uint32_t secondColour = Series::RGB(128, 128, 128);
    int symbol = 0; // marker selector of the drawn flag
};
