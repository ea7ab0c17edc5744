#pragma once
#include "CLine.h"

// A vertical line (type 28) through the bar of the first anchor.
// Record: the line record, then its own 256-byte block.
class CVertical : public CLine {
public:
    static constexpr int kTypeCode = 28;

    CVertical();
    // One line down the plot at the first anchor's bar; one handle at the first anchor.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    std::array<uint8_t, 256> ownBlock{};

protected:
    // 3 at the first anchor; the body is the column within hitTolerance, top to bottom.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;
};
