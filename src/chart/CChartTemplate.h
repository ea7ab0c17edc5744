#pragma once
#include "ctlkit/base/CFileResult.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A chart template (*.tmp, and the default template System/DTemp): the look of a chart
// without its data. Layout: pane count, price style, line pen style, line weight (ints);
// colours 3, 1, 4, 2, 5; 256 flag bytes; ten view records (ViewParRecord.h).
class CChartTemplate {
public:
    int paneCount = 2;
    int priceStyle = 1;
    int penStyle = 1;
    int lineWeight = 1;
    std::array<uint32_t, 5> colours{}; // by colour number - 1
    std::array<uint8_t, 256> flagBytes{};
    std::array<CViewPar, CStock::kViewParCount> viewPars;

    // The template of `stock`.
    static CChartTemplate From(const CStock& stock);
    std::string Write() const;
    // Writes the template atomically; CannotWrite with the reason when that fails.
    CFileResult Save(const std::string& path) const;

    // Reads a template. WrongType when the pane count lies outside 2..9, the price style
    // outside 0..6, the pen style outside 0..5 or the line weight outside 0..6 (each tested
    // as soon as it is read); Damaged when the bytes end early or a view record is refused;
    // either with the reason as its message. This object is changed only on success.
    CFileResult Read(std::string_view bytes);
    // Read on the file at `path`; CannotOpen ("the file cannot be opened") when the file
    // cannot be opened.
    CFileResult Load(const std::string& path);

    // Gives `stock` the template's pane count, switches, colours, flag bytes and view records.
    void ApplyTo(CStock& stock) const;
};
