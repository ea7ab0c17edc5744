// market.txt and downloaded symbol lists, and the database made from a list.
#include "ctlkit/base/SafeName.h"
#include "download/CMarketList.h"
#include "download/CSymbolDatabase.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CMarketList markets;
    // A refused list has no markets.
    if (!markets.Parse(text) && !markets.Codes().empty()) __builtin_trap();
    if (markets.Codes().size() != markets.FullNames().size()) __builtin_trap();
    if (markets.Codes().size() != markets.Suffixes().size()) __builtin_trap();
    // A suffix is kept only when it can be part of a file name.
    for (const std::string& suffix : markets.Suffixes())
        if (!suffix.empty() && !IsSafePathPart(suffix)) __builtin_trap();
    std::string bytes;
    if (CSymbolDatabase::ConvertList(text, bytes)) {
        if (bytes.size() % CSymbolDatabase::kRecordSize != 0) __builtin_trap();
        CSymbolDatabase database;
        database.Parse(bytes);
        if (database.Records().size() != bytes.size() / CSymbolDatabase::kRecordSize)
            __builtin_trap();
    }
    return 0;
}
