// The <market>.Dat reader over any bytes.
#include "download/CSymbolDatabase.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CSymbolDatabase database;
    database.Parse(bytes);
    for (const auto& record : database.Records()) {
        if (record.symbol.size() > CSymbolDatabase::kSymbolSize ||
            record.description.size() > CSymbolDatabase::kDescriptionSize)
            __builtin_trap();
    }
    database.LookupName(database.Records().empty() ? "IBM" : database.Records().back().symbol);
    return 0;
}
