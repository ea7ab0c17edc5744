#pragma once
#include "CLine.h"
#include <vector>

// Fibonacci time zones (type 11): vertical lines at Fibonacci bar offsets from the first
// anchor.
// Record: the line record, the zone count (int, refused outside 1..40), the offset count and
// the offsets (unsigned ints; refused: more than 40 of them, one above INT32_MAX), its own
// block. A first anchor that is not a bar index within +-kMaxAnchorBar is refused too.
class CFiboTime : public CLine {
public:
    static constexpr int kTypeCode = 11;
    static constexpr int kMaxZones = 40;
    // Floats count whole bars up to 2^24; no chart holds more bars than that.
    static constexpr float kMaxAnchorBar = 16777216.0f;

    CFiboTime();
    // A vertical line across the plot at each zone offset's bar after the first anchor's.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // The first `count` Fibonacci terms 1, 1, 2, 3, ... as the offsets.
    void SetZoneCount(int count);

    int zoneCount = 8;
    std::vector<uint32_t> offsets = {1, 1, 2, 3, 5, 8, 13, 21};
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
