#pragma once
#include "CGChannel.h"

// A triangle (type 27) between the two anchors and a third point. It stores itself as an
// equidistant channel whose third point is the triangle's.
// Record: the channel record, then its own block.
class CTriangle : public CGChannel {
public:
    static constexpr int kTypeCode = 27;

    CTriangle();
    // The three sides; handles at the three points when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // All points by the same delta; the third point keeps its bar.
    void MoveBy(int x, int y) override;
    // 5 drags the third point; the others as the line's (6 is its corner (x2, y1)).
    void DragHandle(int hitCode, float x, float y) override;

    std::array<uint8_t, 256> ownBlock{};

protected:
    // 3 at p1, 4 at p2, 5 at the third point; the body is any side, not extended.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;
};
