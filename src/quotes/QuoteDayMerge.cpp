#include "QuoteDayMerge.h"
#include "QuoteFileFormat.h"
#include "QuoteLineDate.h"
#include <algorithm>

namespace {
struct SDayLine {
    long long key; // yyyymmdd; 64 bits, since a loosely read day may be any number
    std::string_view line;
};

bool DayKey(std::string_view line, long long& key) {
    SQuoteDay day;
    if (ParseQuoteDate(line.substr(0, line.find(',')), EQuoteDateRule::Loose, day) !=
        EQuoteDate::Ok)
        return false;
    key = static_cast<long long>(day.year) * 10000 + static_cast<long long>(day.month) * 100 +
          day.day;
    return true;
}

void AppendLine(std::string& text, std::string_view line) {
    text.append(line);
    text += '\n';
}
} // namespace

bool ReadQuoteFileLines(std::string_view text, std::vector<std::string_view>& lines) {
    lines.clear();
    size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        // Every CR at the end goes, so that a line reads back as it was written.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {
            if (line != kCsvQuoteHeader) return false;
            first = false;
        } else if (!line.empty()) {
            lines.push_back(line);
        }
        start = end + 1;
    }
    return !first;
}

SQuoteDayMerge MergeQuoteDays(const std::vector<std::string_view>& local,
                              const std::vector<std::string_view>& incoming,
                              bool incomingReplaces) {
    SQuoteDayMerge merge;
    std::vector<SDayLine> localDays;
    std::vector<std::string_view> undated;
    localDays.reserve(local.size());
    for (std::string_view line : local) {
        long long key = 0;
        if (DayKey(line, key))
            localDays.push_back({key, line});
        else
            undated.push_back(line);
    }
    std::vector<SDayLine> incomingDays;
    incomingDays.reserve(incoming.size());
    for (std::string_view line : incoming) {
        long long key = 0;
        if (DayKey(line, key))
            incomingDays.push_back({key, line});
        else
            ++merge.counts.skipped;
    }
    const auto newerFirst = [](const SDayLine& a, const SDayLine& b) { return a.key > b.key; };
    // A quote file comes sorted: the check spares its sort. The sort is stable, so of an
    // incoming day given twice the first line stays in front.
    if (!std::is_sorted(localDays.begin(), localDays.end(), newerFirst))
        std::stable_sort(localDays.begin(), localDays.end(), newerFirst);
    if (!std::is_sorted(incomingDays.begin(), incomingDays.end(), newerFirst))
        std::stable_sort(incomingDays.begin(), incomingDays.end(), newerFirst);

    size_t bytes = kCsvQuoteHeader.size() + 1;
    for (const SDayLine& d : localDays) bytes += d.line.size() + 1;
    for (const SDayLine& d : incomingDays) bytes += d.line.size() + 1;
    for (std::string_view line : undated) bytes += line.size() + 1;
    merge.text.reserve(bytes);
    AppendLine(merge.text, kCsvQuoteHeader);

    size_t l = 0, i = 0;
    while (l < localDays.size() || i < incomingDays.size()) {
        const bool takeIncoming = l == localDays.size() || (i < incomingDays.size() &&
                                                            incomingDays[i].key > localDays[l].key);
        if (takeIncoming) {
            AppendLine(merge.text, incomingDays[i].line);
            ++merge.counts.added;
            const long long key = incomingDays[i++].key;
            for (; i < incomingDays.size() && incomingDays[i].key == key; ++i)
                ++merge.counts.skipped;
            continue;
        }
        const long long key = localDays[l].key;
        if (i < incomingDays.size() && incomingDays[i].key == key) {
            if (incomingReplaces) {
                AppendLine(merge.text, incomingDays[i].line);
                ++merge.counts.replaced;
                while (l < localDays.size() && localDays[l].key == key) ++l;
            } else {
                ++merge.counts.skipped;
            }
            for (++i; i < incomingDays.size() && incomingDays[i].key == key; ++i)
                ++merge.counts.skipped;
            if (incomingReplaces) continue;
        }
        for (; l < localDays.size() && localDays[l].key == key; ++l) {
            AppendLine(merge.text, localDays[l].line);
            ++merge.counts.kept;
        }
    }
    for (std::string_view line : undated) {
        AppendLine(merge.text, line);
        ++merge.counts.kept;
    }
    return merge;
}
