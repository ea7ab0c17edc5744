// The renewal merge over any previous file and any answer, and the line readers under it.
#include "ctlkit/base/CStringFile.h"
#include "download/QuoteMerge.h"
#include "quotes/QuoteLineDate.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    // The first byte chooses the cut; previous file before it, answer after it.
    size_t cut = size ? data[0] * size / 256 : 0;
    bool cutShort = size && (data[0] & 1);
    std::string previousText = input.substr(size ? 1 : 0, cut);
    std::string received = input.substr(std::min(size, cut + 1));

    SPreviousQuoteFile previous = ReadPreviousQuoteFile(previousText);
    SReceivedQuotes merge = MergeReceivedQuotes(received, previous, cutShort);
    if (merge.result == EMergeResult::Ok) {
        std::string file = ComposeRenewedFile(merge.newLines, previous.lines);
        SPreviousQuoteFile again = ReadPreviousQuoteFile(file);
        if (!again.ok) __builtin_trap();
    }

    CStringFile strings(&input);
    std::string line;
    size_t taken = 0;
    while (int n = strings.ReadingString(line)) {
        taken += static_cast<size_t>(n);
        int64_t midnight;
        ReadQuoteLineDate(line, midnight);
    }
    if (taken > size) __builtin_trap();
    CStringFile lines(&input);
    while (lines.ReadingLine(line)) {
    }
    return 0;
}
