// downloader.dat over any bytes, and its write-back.
#include "quotefetch/SSelectedStock.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<SSelectedStock> stocks = DecodeSelection(bytes);
    if (stocks.size() != size / kSelectedStockBytes) __builtin_trap();
    for (const SSelectedStock& stock : stocks)
        if (stock.market.size() > kSelectedMarketBytes ||
            stock.symbol.size() > kSelectedSymbolBytes)
            __builtin_trap();
    std::string written;
    const CFileResult encoded = EncodeSelection(stocks, written);
    // Only a field that filled its bytes without a zero byte cannot be written back.
    bool fits = true;
    for (const SSelectedStock& stock : stocks)
        fits = fits && stock.market.size() < kSelectedMarketBytes &&
               stock.symbol.size() < kSelectedSymbolBytes;
    if (encoded.ok() != fits) __builtin_trap();
    if (encoded.ok() && (written.size() != stocks.size() * kSelectedStockBytes ||
                         DecodeSelection(written) != stocks))
        __builtin_trap();
    return 0;
}
