// The MetaStock ASCII import over any file, merged into any existing quote file, in memory.
#include "quotefetch/MetaStockImporter.h"
#include <cstddef>
#include <cstdint>
#include <string>

namespace {
size_t LineCount(const std::string& text) {
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first byte holds the options, the second where the existing quote file ends and
    // the imported file begins.
    const bool replace = data[0] & 1;
    const bool suffix = data[0] & 2;
    const size_t cut = data[1] * (size - 2) / 256;
    const std::string existing(reinterpret_cast<const char*>(data) + 2, cut);
    const std::string bytes(reinterpret_cast<const char*>(data) + 2 + cut, size - 2 - cut);

    CMemoryQuoteFileStore store;
    CRecordingImportLog log;
    SImportOptions options;
    options.dataFolder = "/d/";
    options.market = "M";
    options.suffix = suffix ? ".X" : "";
    options.replaceExisting = replace;
    // The existing file belongs to the ticker of the usual first line.
    store.files["/d/M/IBM" + options.suffix + ".csv"] = existing;
    MetaStockImporter importer(store, log);
    SImportFileReport first = importer.ImportBytes("in.txt", bytes, options);

    size_t written = 0;
    for (const auto& [path, text] : store.files) {
        // Nothing lands outside the market folder.
        if (path.compare(0, 5, "/d/M/") != 0 || path.find('/', 5) != std::string::npos)
            __builtin_trap();
        if (text == existing) continue;
        std::vector<std::string_view> lines;
        if (!ReadQuoteFileLines(text, lines)) __builtin_trap();
        ++written;
    }
    if (written > first.quoteFiles.size()) __builtin_trap();
    if (first.result == EImportFileResult::Imported && first.quoteFiles.empty()) __builtin_trap();

    // Every line written is a day kept, added or replaced.
    size_t lines = 0;
    for (const std::string& path : first.quoteFiles) lines += LineCount(store.files[path]) - 1;
    const SQuoteDayMergeCounts& c = first.counts;
    if (lines != c.kept + c.added + c.replaced) __builtin_trap();

    // Importing the same file again adds nothing and changes nothing.
    const auto before = store.files;
    options.replaceExisting = false;
    SImportFileReport again = importer.ImportBytes("in.txt", bytes, options);
    if (again.counts.added != 0 || again.counts.replaced != 0) __builtin_trap();
    if (store.files != before) __builtin_trap();
    return 0;
}
