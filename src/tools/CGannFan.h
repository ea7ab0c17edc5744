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
    // Nine lines from p1: four steep ones to p2's row, the 1 x 1 line to p2, four flat ones
    // to p2's column, and the 1 x 1 line again.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    // The end points as the record holds them; read and written back as they are, the drawing
    // works out its own.
    std::array<SPoint, 9> endPoints{};
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
