#pragma once
#include "ctlkit/base/CFileResult.h"
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One record of the downloader's selection.
struct SSelectedStock {
    std::string market;
    std::string symbol;

    bool operator==(const SSelectedStock&) const = default;
};

// The selection file: records of 288 bytes back to back, nothing else. A record holds the
// market code in its first 32 bytes and the symbol in the following 256, each text ended by
// a zero byte and the rest of its field zero-filled.
inline constexpr size_t kSelectedMarketBytes = 32;
inline constexpr size_t kSelectedSymbolBytes = 256;
inline constexpr size_t kSelectedStockBytes = kSelectedMarketBytes + kSelectedSymbolBytes;

// Whole records only: a tail shorter than a record is dropped. A field without its zero byte
// is read up to the end of its own bytes, never into the next field.
std::vector<SSelectedStock> DecodeSelection(std::string_view bytes);

// The records, or UnsafeName naming the record when a text does not fit its field (more
// than 31 or 255 bytes) or holds a zero byte: such a text would not read back as written,
// so it is refused rather than cut. `bytes` is left empty on failure.
CFileResult EncodeSelection(const std::vector<SSelectedStock>& stocks, std::string& bytes);

// The selection stored at `path`; a missing or unreadable file is an empty selection.
std::vector<SSelectedStock> ReadSelectionFile(const std::string& path);

// Replaces the file atomically (the old file stays whole when the write fails); nothing is
// written when a record is refused.
CFileResult WriteSelectionFile(const std::string& path, const std::vector<SSelectedStock>& stocks);
