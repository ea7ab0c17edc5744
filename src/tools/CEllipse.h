#pragma once
#include "CLine.h"

// An ellipse (type 7) inscribed in the rectangle of the two anchors.
// Record: the line record, then its own 256-byte block.
class CEllipse : public CLine {
public:
    static constexpr int kTypeCode = 7;

    CEllipse();
    // The outline of the ellipse inscribed in the rectangle p1-p2; handles at that
    // rectangle's corners when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    std::array<uint8_t, 256> ownBlock{};

protected:
    // Handles at the rectangle's corners (BoxHandleAt); the body is the ellipse outline.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;
};
