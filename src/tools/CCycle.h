#pragma once
#include "CLine.h"

// Cycle lines (type 6): vertical lines at multiples of the anchors' spacing.
// Record: the line record, the cycle count (int, refused outside 1..100), its own block.
class CCycle : public CLine {
public:
    static constexpr int kTypeCode = 6;
    static constexpr int kMaxCycles = 100;

    CCycle();
    // Vertical lines at p1's column plus every multiple from -n to n of the anchors' column
    // spacing; a single line when both anchors share a column.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    int cycleCount = 3;
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
