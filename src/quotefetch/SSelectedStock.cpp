#include "SSelectedStock.h"
#include "ctlkit/base/AtomicFile.h"
#include <cstring>

namespace {
// The text of a field: up to its first zero byte, or the whole field without one.
std::string FieldText(std::string_view field) {
    return std::string(field.substr(0, field.find('\0')));
}

bool FitsField(const std::string& text, size_t fieldBytes) {
    return text.size() < fieldBytes && text.find('\0') == std::string::npos;
}

void AppendField(std::string& bytes, const std::string& text, size_t fieldBytes) {
    bytes += text;
    bytes.append(fieldBytes - text.size(), '\0');
}
} // namespace

std::vector<SSelectedStock> DecodeSelection(std::string_view bytes) {
    std::vector<SSelectedStock> stocks;
    stocks.reserve(bytes.size() / kSelectedStockBytes);
    for (size_t at = 0; bytes.size() - at >= kSelectedStockBytes; at += kSelectedStockBytes) {
        SSelectedStock stock;
        stock.market = FieldText(bytes.substr(at, kSelectedMarketBytes));
        stock.symbol = FieldText(bytes.substr(at + kSelectedMarketBytes, kSelectedSymbolBytes));
        stocks.push_back(std::move(stock));
    }
    return stocks;
}

CFileResult EncodeSelection(const std::vector<SSelectedStock>& stocks, std::string& bytes) {
    bytes.clear();
    for (size_t i = 0; i < stocks.size(); ++i) {
        const SSelectedStock& stock = stocks[i];
        const char* refused = !FitsField(stock.market, kSelectedMarketBytes)   ? "market code"
                              : !FitsField(stock.symbol, kSelectedSymbolBytes) ? "symbol"
                                                                               : nullptr;
        if (refused) {
            bytes.clear();
            return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                        "record " + std::to_string(i + 1) + ": the " + refused +
                                            " is too long or holds a zero byte");
        }
    }
    bytes.reserve(stocks.size() * kSelectedStockBytes);
    for (const SSelectedStock& stock : stocks) {
        AppendField(bytes, stock.market, kSelectedMarketBytes);
        AppendField(bytes, stock.symbol, kSelectedSymbolBytes);
    }
    return {};
}

std::vector<SSelectedStock> ReadSelectionFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return {};
    return DecodeSelection(bytes);
}

CFileResult WriteSelectionFile(const std::string& path, const std::vector<SSelectedStock>& stocks) {
    std::string bytes;
    if (CFileResult encoded = EncodeSelection(stocks, bytes); !encoded) return encoded;
    return WriteFileAtomically(path, bytes);
}
