#pragma once
#include "CLine.h"
#include "element/SPoint.h"
#include <array>

// Speed resistance lines (type 24): three lines from the first anchor.
// Record: the line record, the end points third, second, first (x, y ints), its own block.
class CSpeed : public CLine {
public:
    static constexpr int kTypeCode = 24;

    CSpeed();
    // Lines from p1 to p2 and to p2's column at one and two thirds of the height.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    // The end points as the record holds them; read and written back as they are, the drawing
    // works out its own.
    std::array<SPoint, 3> endPoints{};
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
