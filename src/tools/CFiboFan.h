#pragma once
#include "CLine.h"
#include "element/SPoint.h"
#include <array>

// A Fibonacci fan (type 9): three lines from the left anchor at the ratios r, 0.5, 1 - r.
// Record: the line record, the ratio (float, refused outside 0..1), the fan points third, fourth,
// second, first (x, y ints), its own block.
class CFiboFan : public CLine {
public:
    static constexpr int kTypeCode = 9;

    CFiboFan();
    // Three lines from the left anchor to the right anchor's column at the heights 1 - r, 0.5
    // and r of the anchors' span.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    float ratio = 0.618f;
    // The origin and the three end points as the record holds them; read and written back as
    // they are, the drawing works out its own.
    std::array<SPoint, 4> fanPoints{};
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
