#pragma once
#include <array>

// Tick positions in pixels and their values; never more than kCapacity entries.
struct CTickTable {
    static constexpr int kCapacity = 50;

    int count = 0;
    std::array<int, kCapacity> positions{};
    std::array<float, kCapacity> values{};

    void Clear() { count = 0; }
    // False (nothing stored) when the table is full.
    bool Add(int position, float value) {
        if (count >= kCapacity) return false;
        positions[count] = position;
        values[count] = value;
        ++count;
        return true;
    }
};
