#pragma once
#include "CLine.h"

// A trend arrow (type 3): the shaft from p1 to p2 with a filled head at p2.
// Record: the line record, head flag (int), head factor (float, refused outside 0..1), head
// length (int, refused outside 0..100), its own block.
class CArrow : public CLine {
public:
    static constexpr int kTypeCode = 3;
    // The longest head, in pixels, and the largest head factor a stored arrow may hold.
    static constexpr int kMaxHeadLength = 100;
    static constexpr float kMaxHeadFactor = 1.0f;

    CArrow();
    // The shaft p1-p2 and, with the head flag set, a filled head at p2 pointing away from p1:
    // max(head length, factor x shaft length) long and half as wide at its base.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // The three corners of the head for a shaft from `from` to `tip`: tip, left, right barb.
    std::array<CPoint, 3> Head(SPoint from, SPoint tip) const;

    int headLength = 5;
    float headFactor = 0.2f;
    int headFlag = 1;
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
