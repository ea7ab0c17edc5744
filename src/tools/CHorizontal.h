#pragma once
#include "CLine.h"

// A horizontal line (type 19) across the pane at one value. Indicator builders add these as
// reference lines, marked so that replacing the indicator removes them again.
// Record: the line record, then its own 256-byte block.
class CHorizontal : public CLine {
public:
    static constexpr int kTypeCode = 19;

    CHorizontal();
    explicit CHorizontal(float value);

    // Both anchors lie at this value.
    float Value() const { return y1; }
    void SetValue(float value);
    // Dragging the second anchor moves only its bar: the line stays at the first value.
    void SetPoint2(float x, float y) override;
    // One line across the plot at the first anchor's value; one handle at the first anchor.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    std::array<uint8_t, 256> ownBlock{};

protected:
    // 3 at the first anchor; the body is the row within hitTolerance, left to right.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;
};
