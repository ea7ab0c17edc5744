#pragma once
#include "ctlkit/dc/CDC.h"
#include <QRect>
#include <string>
#include <vector>

class CPaneStack;
class CStock;
class QPagedPaintDevice;

struct SPrintOptions {
    // Background white, lines and text black, rising candles hollow and falling ones black.
    bool blackOnWhite = false;
};

// Where one chart goes on a page. The panes are laid out at screen size, in pixels of 96 per
// inch, and painted under a scale of dpi / 96, so that fonts and pens keep their size on
// paper.
struct SPrintLayout {
    static constexpr int kScreenDpi = 96;
    static constexpr int kHeaderPixels = 18; // height of the header font
    static constexpr int kHeaderGap = 8;     // between the header line and the panes
    // The least chart height as a share of its width: a very wide window still prints panes
    // tall enough to read.
    static constexpr double kMinAspect = 0.5;

    double scale = 1.0; // device pixels per layout pixel
    int width = 0;      // printable area in layout pixels
    int height = 0;
    QRect header;             // the header line
    std::vector<CRect> panes; // one per pane of the stack; empty for a hidden pane
};

// The page layout of `stack` on a printable area of deviceWidth x deviceHeight pixels at
// `dpi`: the header at the top, then the visible panes over the whole width, stacked with the
// heights they have in the window (the last Arrange; by their shares when the stack was never
// arranged), scaled together. The chart keeps the window's aspect where the page allows it,
// at least kMinAspect of the width and at most what the page leaves below the header.
SPrintLayout LayoutPrintPage(const CPaneStack& stack, int deviceWidth, int deviceHeight, int dpi);

// Prints the visible panes of `stack` on one page of `device`; false when nothing could be
// painted (no visible pane, a device without area, or a painter that cannot start).
bool PrintChart(CPaneStack& stack, QPagedPaintDevice& device, const SPrintOptions& options = {});

// "IBM  NYSE  Daily  2004-01-02 - 2005-03-04": symbol, market, period, first and last date of
// the display series. Parts the series does not have are left out.
std::string PrintHeader(const CStock& stock);
