#pragma once
#include "CLine.h"

// An equidistant channel (type 15): the base line p1-p2 and two parallels through the third
// (upper) and fourth (lower) points.
// Record: the line record, lower shown, upper shown (ints), x4, y4, x3, y3 (floats), the
// channel block.
class CGChannel : public CLine {
public:
    static constexpr int kTypeCode = 15;

    CGChannel();
    // All four points at the click.
    void SetAnchor(float x, float y, int period) override;
    // The base line and the shown parallels through the third and fourth points; handles at
    // p1, p2 and each shown parallel's own point when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // All four points by the same delta, then the parallels' points to the middle bar.
    void MoveBy(int x, int y) override;
    void MapBarIndices(const std::function<float(float)>& map) override;
    // 5 drags the upper point, 6 the lower one.
    void DragHandle(int hitCode, float x, float y) override;

    float x3 = 0;
    float y3 = 0;
    float x4 = 0;
    float y4 = 0;
    int upperShown = 1;
    int lowerShown = 1;
    std::array<uint8_t, 256> channelBlock{};

protected:
    CGChannel(int code, unsigned nameId);

    // Handles 3 and 4 as a line's, 5 the upper point, 6 the lower point, each while its
    // parallel is shown; the body is the base line and each shown parallel, as extended.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;

    // The parallel through (x, y): the base line shifted by that point's row offset from the
    // base line's middle.
    void ParallelThrough(float x, float y, SPoint& a, SPoint& b) const;
    // All four points by the mouse delta since grabPoint (the line's MoveBy).
    void MovePointsBy(int x, int y);
};
