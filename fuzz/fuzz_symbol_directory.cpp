// The symbol directory converter over any bytes: what it writes is a symbol list whose every
// row holds a safe ticker and a name without tabs or control characters.
#include "download/CSymbolDatabase.h"
#include "download/CSymbolDirectory.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string list;
    SSymbolListCounts counts;
    const CFileResult result = CSymbolDirectory::ToSymbolList(text, list, &counts);
    if (!result.ok()) {
        if (!list.empty()) __builtin_trap();
        return 0;
    }
    if (CSymbolDirectory::FormOf(text) == ESymbolListForm::Directory) {
        const std::string_view header = "Symbol\tDescription\n";
        if (std::string_view(list).substr(0, header.size()) != header) __builtin_trap();
        std::size_t rows = 0;
        for (std::size_t at = header.size(); at < list.size(); ++rows) {
            const std::size_t end = list.find('\n', at);
            if (end == std::string::npos) __builtin_trap();
            const std::string_view row = std::string_view(list).substr(at, end - at);
            const std::size_t tab = row.find('\t');
            if (tab == std::string_view::npos ||
                !CSymbolDirectory::IsSafeTicker(row.substr(0, tab)))
                __builtin_trap();
            for (char c : row.substr(tab + 1))
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) __builtin_trap();
            at = end + 1;
        }
        if (rows != counts.symbols) __builtin_trap();
    }
    std::string bytes;
    if (!CSymbolDatabase::ConvertList(text, bytes).ok() ||
        bytes.size() % CSymbolDatabase::kRecordSize != 0)
        __builtin_trap();
    return 0;
}
