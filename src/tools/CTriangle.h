#pragma once
#include "CLine.h"

// A triangle (type 27) between the two anchors and a third point. It stores itself as an
// equidistant channel whose third point is the triangle's.
// Record: the line record, lower shown, upper shown (ints), x4, y4, x3, y3 (floats), the
// channel block, then its own block.
class CTriangle : public CLine {
public:
    static constexpr int kTypeCode = 27;

    CTriangle();
    ~CTriangle() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    float x3 = 0;
    float y3 = 0;
    float x4 = 0;
    float y4 = 0;
    int upperShown = 1;
    int lowerShown = 1;
    std::array<uint8_t, 256> channelBlock{};
    std::array<uint8_t, 256> ownBlock{};
};
