// list.dat over any bytes, and its write-back.
#include "download/CFavourites.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    auto entries = CFavourites::Parse(bytes);
    if (entries.size() != size / CFavourites::kRecordSize) __builtin_trap();
    std::string written = CFavourites::Serialize(entries);
    if (written.size() != entries.size() * CFavourites::kRecordSize) __builtin_trap();
    // What was written once reads back the same.
    if (CFavourites::Serialize(CFavourites::Parse(written)) != written) __builtin_trap();
    return 0;
}
