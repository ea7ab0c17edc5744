#pragma once
#include "CLine.h"

// A rectangle (type 2) with corners at the two anchors.
// Record: the line record and nothing more.
class CRectangle : public CLine {
public:
    static constexpr int kTypeCode = 2;

    CRectangle();
    ~CRectangle() override;
    // The outline of the rectangle p1-p2; handles at its four corners when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // Corners (selected only): 3 at p1, 4 at p2, 5 at (p1.x, p2.y), 6 at (p2.x, p1.y); the
    // body is the outline.
    int HitTest(int x, int y) override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;
};
