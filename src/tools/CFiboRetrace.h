#pragma once
#include "CLine.h"
#include "ctlkit/base/LOGFONT.h"
#include <vector>

// A Fibonacci retracement (type 10): a labelled horizontal line per shown level.
// Record: the line record, label colour, label font (FontRecord.h), the level count, per
// level its shown flag (int) and ratio (float), its own block. Refused: more than kMaxLevels
// levels, a ratio outside -10..10 (what the dialog takes), a font that FontRecord.h refuses.
class CFiboRetrace : public CLine {
public:
    static constexpr int kTypeCode = 10;
    static constexpr size_t kMaxLevels = 30;
    static constexpr float kLowestRatio = -10;
    static constexpr float kHighestRatio = 10;

    CFiboRetrace();
    // A line from p1's to p2's column and a "%.1f%%" label per shown level: level 0 at p2's
    // row, 1.0 at p1's height.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    struct SLevel {
        float ratio = 0;
        int shown = 1;
        bool operator==(const SLevel&) const = default;
    };

    uint32_t labelColour = 0x808080;
    LOGFONT labelFont;
    std::vector<SLevel> levels = {{0.0f, 1}, {0.236f, 1}, {0.382f, 1}, {0.5f, 1},  {0.618f, 1},
                                  {1.0f, 1}, {1.618f, 1}, {2.618f, 1}, {4.236f, 1}};
    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
