#pragma once
#include "CLine.h"

// A rectangle (type 2) with corners at the two anchors.
// Record: the line record and nothing more.
class CRectangle : public CLine {
public:
    static constexpr int kTypeCode = 2;

    CRectangle();
    // The outline of the rectangle p1-p2; handles at its four corners when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

protected:
    // Handles at the corners (BoxHandleAt); the body is the outline.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
};
