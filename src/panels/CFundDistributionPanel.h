#pragma once
#include "ctlkit/base/LOGFONT.h"
#include "ctlkit/dc/CDC.h"
#include <string>

class CStock;

// The fund distribution panel: the cost distribution of one bar of a price series drawn as
// horizontal rows (below the bar's close in the profit colour, at and above it in the loss
// colour), a proportion bar and the "Profit Percentage" caption. Keeps a reference to the
// series, never owns it.
class CFundDistributionPanel {
public:
    // Rows run from y = 235 upwards; the background is filled down to this height.
    static constexpr int kHeight = 240;
    static constexpr int kBaseRow = 235;
    // The caption's top and the proportion bar's rows.
    static constexpr int kCaptionTop = 5;
    static constexpr int kBarTop = 20;
    static constexpr int kBarBottom = 30;

    CFundDistributionPanel();

    // What the cursor notification carries: the series and the bar under the cursor.
    void Show(CStock* series, int barIndex);
    // The series is going away: the panel forgets it and its share; only the caption is drawn.
    void Clear();
    CStock* Series() const { return m_series; }
    int BarIndex() const { return m_barIndex; }
    float LastPercentage() const { return m_lastPercentage; }
    const LOGFONT& Font() const { return m_font; }

    // The prices the series' window spans (its lowest low and highest high): what the price
    // pane shows unless it was scaled by hand. 0..0 without a series.
    struct SPriceRange {
        float low = 0.0f;
        float high = 0.0f;
        friend bool operator==(const SPriceRange&, const SPriceRange&) = default;
    };
    SPriceRange ShownRange() const;

    // Draws into a `width`-pixel-wide area for a price pane showing shownLow..shownHigh.
    void Paint(CDC& dc, int width, float shownLow, float shownHigh);

    // The caption text for `percentage`.
    static std::string Caption(float percentage);

private:
    // Draws the rows of the current bar and stores the share below the close; false when
    // there is no bar to show.
    bool PaintRows(CDC& dc, int width, float shownLow, float shownHigh, COLORREF profit,
                   COLORREF loss, float& share);

    CStock* m_series = nullptr;
    int m_barIndex = 0;
    float m_lastPercentage = 0.0f;
    LOGFONT m_font;
};
