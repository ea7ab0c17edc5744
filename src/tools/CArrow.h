#pragma once
#include "CLine.h"

// A trend arrow (type 3): the shaft from p1 to p2 with a filled head at p2.
// Record: the line record, head flag (int), head factor (float), head length (int), its own
// block.
class CArrow : public CLine {
public:
    static constexpr int kTypeCode = 3;

    CArrow();
    ~CArrow() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    int headLength = 5;
    float headFactor = 0.2f;
    int headFlag = 1;
    std::array<uint8_t, 256> ownBlock{};
};
