#pragma once
#include <cstdint>

// One bar: the trading day and its prices, 28 bytes in this order.
struct SQuote {
    int32_t date = 0; // seconds since 1970-01-01 UTC of local midnight of the trading day
    float open = 0;
    float high = 0;
    float low = 0;
    float close = 0;
    float adjClose = 0;
    float volume = 0;
};
static_assert(sizeof(SQuote) == 28);
