#pragma once
#include "CLine.h"

// A triangle (type 27) between the two anchors and a third point. It stores itself as an
// equidistant channel whose third point is the triangle's.
// Record: the line record, lower shown, upper shown (ints), x4, y4, x3, y3 (floats), the
// channel block, then its own block.
class CTriangle : public CLine {
public:
    static constexpr int kTypeCode = 27;

    CTriangle();
    ~CTriangle() override;
    // All three points at the click.
    void SetAnchor(float x, float y, int period) override;
    // The three sides; handles at the three points when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // Handles (selected only): 3 at p1, 4 at p2, 5 at the third point; the body is any side.
    int HitTest(int x, int y) override;
    void MoveBy(int x, int y) override;
    void MapBarIndices(const std::function<float(float)>& map) override;
    // 5 drags the third point.
    void DragHandle(int hitCode, float x, float y) override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    float x3 = 0;
    float y3 = 0;
    float x4 = 0;
    float y4 = 0;
    int upperShown = 1;
    int lowerShown = 1;
    std::array<uint8_t, 256> channelBlock{};
    std::array<uint8_t, 256> ownBlock{};
};
