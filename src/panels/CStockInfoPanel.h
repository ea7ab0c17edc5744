#pragma once
#include "ctlkit/base/LOGFONT.h"
#include "ctlkit/dc/CDC.h"
#include <cstdint>
#include <string>
#include <vector>

class CStock;
struct SQuote;

// The stock information panel: the quote of the bar under the chart cursor (time, open, high,
// low, close, volume under their translated labels, coloured by the bar's direction) and,
// as a data window, every pane curve's value at that bar. Keeps a reference to the series,
// never owns it.
class CStockInfoPanel {
public:
    // One line of the panel; a data-window row has its whole text in `label`.
    struct SRow {
        std::string label;
        std::string value;
        COLORREF colour = 0;
        friend bool operator==(const SRow&, const SRow&) = default;
    };

    // What the panel shows, without drawing it.
    struct STexts {
        std::string heading;      // symbol and market; empty without a series
        std::vector<SRow> quote;  // the six quote rows, values empty without a bar
        std::vector<SRow> curves; // one row per curve of every pane, in pane order
    };

    static constexpr int kMargin = 3;
    static constexpr int kColumnGap = 4;
    static constexpr COLORREF kLabelColour = MakeRGB(0, 0, 0);
    static constexpr COLORREF kBackground = MakeRGB(255, 255, 255);

    CStockInfoPanel();

    // What the cursor notification carries: the series and the bar under the cursor.
    void Show(CStock* series, int barIndex);
    // The series is going away: the panel forgets it and shows the labels only.
    void Clear();
    CStock* Series() const { return m_series; }
    int BarIndex() const { return m_barIndex; }
    // The display bar shown: the bar index clamped into the series; -1 without a bar.
    int ShownBar() const;
    const LOGFONT& Font() const { return m_font; }

    STexts Texts() const;
    // Draws the heading, the quote rows in a label and a value column, then the data window,
    // into a `width` x `height` area; rows that would start below it are left out.
    void Paint(CDC& dc, int width, int height);

    // The translated weekday name of a stored date's local calendar day.
    static std::string WeekdayName(int32_t date);
    // The colour of a bar's values: the series' rise, fall or unchanged line colour.
    static COLORREF DirectionColour(const CStock& series, const SQuote& bar);

private:
    std::string Heading() const;
    std::vector<SRow> QuoteRows(int bar) const;
    std::vector<SRow> CurveRows(int bar) const;
    // Draws `rows` from `y` down, values at `valueX`; returns the y below the last row.
    int PaintRows(CDC& dc, const std::vector<SRow>& rows, int y, int valueX, int rowHeight,
                  int height);

    CStock* m_series = nullptr;
    int m_barIndex = 0;
    LOGFONT m_font;
};
