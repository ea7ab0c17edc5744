#pragma once
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
    enum class EStatus { kOk, kUnopenable, kWrongType, kDamaged };

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
    // Writes the template atomically; false with a reason in `error` when that fails.
    bool Save(const std::string& path, std::string& error) const;

    // Reads a template. kWrongType when the pane count lies outside 2..9, the price style
    // outside 0..6, the pen style outside 0..5 or the line weight outside 0..6 (each tested
    // as soon as it is read); kDamaged with the reason in `error` when the bytes end early or a
    // view record is refused. This object is changed only on kOk.
    EStatus Read(std::string_view bytes, std::string& error);
    EStatus Load(const std::string& path, std::string& error);

    // Gives `stock` the template's pane count, switches, colours, flag bytes and view records.
    void ApplyTo(CStock& stock) const;
};
