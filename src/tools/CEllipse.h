#pragma once
#include "CLine.h"

// An ellipse (type 7) inscribed in the rectangle of the two anchors.
// Record: the line record, then its own 256-byte block.
class CEllipse : public CLine {
public:
    static constexpr int kTypeCode = 7;

    CEllipse();
    ~CEllipse() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;
    std::array<uint8_t, 256> ownBlock{};
};
