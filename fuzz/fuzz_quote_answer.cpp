// libFuzzer target: the input is a downloaded answer, behind the CSV header unless it begins
// with "D" (its own first line). The check that a download makes before it replaces a quote file
// must judge the text as the quote reader judges the same bytes read from a file: the same header
// verdict, the same stop at an unknown month, the same count of quotes.
#include "quotes/CCsvQuoteReader.h"
#include "quotes/QuoteAnswerCheck.h"
#include "quotes/QuoteFileFormat.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const std::string& Folder() {
    static std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/fuzz_quote_answer.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        static std::string made = tmpl;
        std::atexit([] { std::filesystem::remove_all(made); });
        return tmpl + "/";
    }();
    return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text;
    if (size == 0 || data[0] != 'D') text = std::string(kCsvQuoteHeader) + "\n";
    text.append(reinterpret_cast<const char*>(data), size);
    const SQuoteAnswerCheck check = CheckQuoteAnswer(text);
    if (check.line.size() > 83) std::abort();
    if (!check && RefusedAnswerMessage(check).empty()) std::abort();

    const std::string path = Folder() + "answer.csv";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::vector<SQuote> quotes;
    SQuoteReadStats stats;
    const CCsvQuoteReader::EResult read = CCsvQuoteReader().Read(path, SIZE_MAX, quotes, stats);
    switch (check.verdict) {
    case EQuoteAnswer::NoHeader:
        if (read != CCsvQuoteReader::EResult::NoHeader) std::abort();
        break;
    case EQuoteAnswer::UnknownMonth:
        if (read != CCsvQuoteReader::EResult::UnknownMonth || stats.quotes != check.quotes)
            std::abort();
        break;
    case EQuoteAnswer::NoQuote:
        if (read != CCsvQuoteReader::EResult::Read || stats.quotes != 0) std::abort();
        break;
    case EQuoteAnswer::CutLastLine:
        // The reader takes a cut line that still parses; the check does not count it.
        if (read != CCsvQuoteReader::EResult::Read || stats.quotes < check.quotes ||
            stats.quotes > check.quotes + 1)
            std::abort();
        break;
    case EQuoteAnswer::Readable:
        if (read != CCsvQuoteReader::EResult::Read || stats.quotes != check.quotes ||
            check.quotes == 0)
            std::abort();
        break;
    }
    return 0;
}
