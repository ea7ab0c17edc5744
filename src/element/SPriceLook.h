#pragma once
#include "ctlkit/dc/CDC.h"

// How the price bars of a series look, for the elements that colour themselves after them
// (volume sticks and bars coloured by rising and falling bars).
struct SPriceLook {
    COLORREF riseFill = 0;
    COLORREF fallFill = 0;
    COLORREF riseLine = 0;
    COLORREF fallLine = 0;
    COLORREF dojiLine = 0;
    int barHalfWidth = 0; // in pixels, as the last draw of the price bars used it
};
