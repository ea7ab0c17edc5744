#pragma once
#include "CLine.h"

// Fibonacci arcs (type 8): half circles around the first anchor.
// Record: the line record, the ratio (float, refused outside 0..1), its own block.
class CFiboArc : public CLine {
public:
    static constexpr int kTypeCode = 8;

    CFiboArc();
    // Half circles around p1 with radii 0.5, 1 - r and r of the anchors' distance: the upper
    // halves when p2 is at or above p1, else the lower ones.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // The radii of the last draw.
    std::array<int, 3> Radii() const;

    float ratio = 0.618f;
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
