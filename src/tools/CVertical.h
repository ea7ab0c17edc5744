#pragma once
#include "CLine.h"

// A vertical line (type 28) through the bar of the first anchor.
// Record: the line record, then its own 256-byte block.
class CVertical : public CLine {
public:
    static constexpr int kTypeCode = 28;

    CVertical();
    ~CVertical() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;
    std::array<uint8_t, 256> ownBlock{};
};
