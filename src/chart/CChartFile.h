#pragma once
#include "ctlkit/base/CFileResult.h"
#include "quotes/CStock.h"
#include <memory>
#include <string>
#include <string_view>

// The chart file (*.cht): the stored image of a price series with its view records, quotes
// and panes.
//
// Layout: pane count, price style, line pen style, line weight (ints); colours 3, 1, 4, 2, 5;
// ten view records; export-on-close, DisDayNum, DisPeriod, N, period (ints); window first and
// end (ints); visible high and low (floats); quote file path, symbol, market, spare text
// (counted strings); base series and display series (count, then date, open, high, low,
// close, volume per quote: 24 bytes); one pane record per pane; 256 flag bytes.
class CChartFile {
public:
    static constexpr int kMaxPanes = 10;
    static constexpr size_t kStoredQuoteSize = 24;

    // The bytes of `stock`'s chart file. Panes missing below the pane count are stored as
    // empty panes.
    static std::string Write(CStock& stock);
    // Writes the chart file atomically; CannotWrite with the reason when that fails.
    static CFileResult Save(CStock& stock, const std::string& path);

    // Reads a chart file into a new series with a pane set of its own, given to `stock`; the
    // indicators of every pane are then recomputed from its identifier list and the window's
    // ranges set. Damaged with the reason as its message when the file is refused: the
    // archive ends early, a pane count outside 1..10, a price style outside 0..6, a line pen
    // style outside 0..5, a line weight outside 0..6, a negative DisDayNum, DisPeriod or N, a
    // period outside 0..3, a count the bytes left cannot hold, and every check of the view
    // records, panes and elements, more indicator entries in the panes than
    // MaxIndicatorEntries allows for the display series (indicators/IndicatorBuilder.h);
    // `stock` is then left as it was. Bytes after the flag bytes
    // are ignored. Nothing outside the new series is touched. With `recompute` false the panes
    // keep the curves, flags and ranges as stored (a dump).
    static CFileResult Read(std::string_view bytes, std::unique_ptr<CStock>& stock,
                            bool recompute = true);
    // Read on the file at `path`; CannotOpen ("the file cannot be opened") when the file
    // cannot be opened.
    static CFileResult Load(const std::string& path, std::unique_ptr<CStock>& stock,
                            bool recompute = true);
};
