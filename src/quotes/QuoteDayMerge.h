#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Merges two sets of quote-file lines by trading day: what a quote file holds (local) and
// what an import or a chart brings (incoming). Pure functions over text, shared by every
// writer that adds days to an existing quote file, so that none of them loses a day.
//
// A line's day is the text before its first comma read by the loose rule of the quote
// readers (ParseQuoteDate: "5-Jan-05", two-digit years below 50 are 2000 + year). A line
// whose date cannot be read has no day.

struct SQuoteDayMergeCounts {
    size_t added = 0;    // incoming days the local lines did not have
    size_t replaced = 0; // local days whose line an incoming line replaced
    size_t kept = 0;     // local lines written as they were
    size_t skipped = 0;  // incoming lines left out: a day already held, a repeated day, no day
    bool operator==(const SQuoteDayMergeCounts&) const = default;
};

struct SQuoteDayMerge {
    std::string text; // the whole quote file: the CSV header, then the lines newest first
    SQuoteDayMergeCounts counts;
};

// The data lines of a CSV quote file: false (and no lines) when the first line is not the
// header. Every non-empty line after it is a data line; CRs at the end of a line are dropped.
bool ReadQuoteFileLines(std::string_view text, std::vector<std::string_view>& lines);

// The union of the local and incoming days, newest first, each line ended by a line feed,
// after the header. A day held by both keeps the local line unless `incomingReplaces`.
// Of incoming lines for one day only the first counts. Local lines keep their order among
// lines of one day; local lines without a day are kept, after every dated line.
SQuoteDayMerge MergeQuoteDays(const std::vector<std::string_view>& local,
                              const std::vector<std::string_view>& incoming, bool incomingReplaces);
