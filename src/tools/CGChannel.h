#pragma once
#include "CLine.h"

// An equidistant channel (type 15): the base line p1-p2 and two parallels through the third
// (upper) and fourth (lower) points.
// Record: the line record, lower shown, upper shown (ints), x4, y4, x3, y3 (floats), its own
// block.
class CGChannel : public CLine {
public:
    static constexpr int kTypeCode = 15;

    CGChannel();
    ~CGChannel() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    float x3 = 0;
    float y3 = 0;
    float x4 = 0;
    float y4 = 0;
    int upperShown = 1;
    int lowerShown = 1;
    std::array<uint8_t, 256> ownBlock{};

protected:
    CGChannel(int code, unsigned nameId);
};
