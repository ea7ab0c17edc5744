#include "QuoteMerge.h"
#include "ctlkit/base/CStringFile.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteLineDate.h"
#include <ctime>

namespace {
bool IsDataLine(const std::string& line) {
    return line.size() >= 20 && line[0] != '<';
}
} // namespace

int64_t NextLocalDay(int64_t midnight) {
    time_t t = static_cast<time_t>(midnight);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalMidnightSeconds(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday + 1);
}

SPreviousQuoteFile ReadPreviousQuoteFile(const std::string& text) {
    SPreviousQuoteFile file;
    CStringFile reader(&text);
    std::string line;
    if (!reader.ReadingLine(line) || line != kCsvQuoteHeader) return file;
    file.ok = true;
    while (reader.ReadingLine(line)) {
        if (!IsDataLine(line)) continue;
        int64_t date = 0;
        if (ReadQuoteLineDate(line, date) == EQuoteLineDate::Ok &&
            (!file.hasNewestDay || date > file.newestDay)) {
            file.newestDay = date;
            file.hasNewestDay = true;
        }
        file.lines.push_back(line);
    }
    return file;
}

SReceivedQuotes MergeReceivedQuotes(const std::string& received, const SPreviousQuoteFile& previous,
                                    bool cutShort) {
    SReceivedQuotes merge;
    std::string text = received;
    if (cutShort)
        text.erase(text.find_last_of('\n') == std::string::npos ? 0 : text.find_last_of('\n') + 1);
    CStringFile reader(&text);
    std::string line;
    if (!reader.ReadingLine(line) || line != kCsvQuoteHeader) return merge;
    bool haveLast = false;
    int64_t lastDate = 0;
    while (reader.ReadingLine(line)) {
        if (!IsDataLine(line)) continue;
        int64_t date = 0;
        EQuoteLineDate read = ReadQuoteLineDate(line, date);
        if (read == EQuoteLineDate::TooShort) continue;
        if (read == EQuoteLineDate::UnknownMonth) {
            merge.result = EMergeResult::UnknownMonth;
            return merge;
        }
        if (!previous.hasNewestDay || date > previous.newestDay) merge.newLines.push_back(line);
        lastDate = date;
        haveLast = true;
    }
    if (haveLast && previous.hasNewestDay && lastDate > NextLocalDay(previous.newestDay)) {
        merge.result = EMergeResult::Gap;
        return merge;
    }
    merge.result = EMergeResult::Ok;
    return merge;
}

std::string ComposeRenewedFile(const std::vector<std::string>& newLines,
                               const std::vector<std::string>& previousLines) {
    std::string text(kCsvQuoteHeader);
    text += '\n';
    for (const auto& line : newLines) text += line + '\n';
    for (const auto& line : previousLines) text += line + '\n';
    return text;
}
