#pragma once
#include "CLine.h"

// A vertical line (type 28) through the bar of the first anchor.
// Record: the line record, then its own 256-byte block.
class CVertical : public CLine {
public:
    static constexpr int kTypeCode = 28;

    CVertical();
    ~CVertical() override;
    // One line down the plot at the first anchor's bar; one handle at the first anchor.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    int HitTest(int x, int y) override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;
    std::array<uint8_t, 256> ownBlock{};
};
