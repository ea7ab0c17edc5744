#pragma once
#include "CLine.h"
#include "element/SPoint.h"
#include <array>

// A Gann fan (type 13): nine lines from the first anchor.
// Record: the line record, the nine end points in order (x, y ints), its own block.
class CGannFan : public CLine {
public:
    static constexpr int kTypeCode = 13;

    CGannFan();
    ~CGannFan() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    std::array<SPoint, 9> endPoints{};
    std::array<uint8_t, 256> ownBlock{};
};
