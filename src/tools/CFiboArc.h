#pragma once
#include "CLine.h"

// Fibonacci arcs (type 8): half circles around the first anchor.
// Record: the line record, the ratio (float), its own block.
class CFiboArc : public CLine {
public:
    static constexpr int kTypeCode = 8;

    CFiboArc();
    ~CFiboArc() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    float ratio = 0.618f;
    std::array<uint8_t, 256> ownBlock{};
};
