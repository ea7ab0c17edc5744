#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The renewal merge: the days a renewal received in front of the lines of the quote file.
// Pure functions over text, so that every rule can be tested and fuzzed without a network.

// The quote file as the renewal reads it.
struct SPreviousQuoteFile {
    bool ok = false; // the first line is exactly the CSV header (a CR before the LF accepted)
    std::vector<std::string> lines; // data lines of at least 20 characters not starting "<"
    bool hasNewestDay = false;
    int64_t newestDay = 0; // the latest date among the lines, local midnight
};
SPreviousQuoteFile ReadPreviousQuoteFile(const std::string& text);

enum class EMergeResult {
    Ok,
    BadHeader,    // the answer's first line is not exactly the header
    UnknownMonth, // "Unkonwn data file format."
    Gap,          // the answer does not reach back to the newest local day
};

struct SReceivedQuotes {
    EMergeResult result = EMergeResult::BadHeader;
    std::vector<std::string> newLines; // days after the newest local day, newest first
};

// Reads the answer line by line (CR LF accepted, empty lines skipped): the first line must be
// the header; lines shorter than 20 characters, starting with "<" or with a date text of
// fewer than 8 characters are skipped; lines dated after the newest local day are kept as
// received. The last date read must not lie after the day following the newest local day.
// `cutShort`: the reading stopped early, so a last line without its line feed is a fragment
// and is left out. Without a newest local day every dated line is new.
SReceivedQuotes MergeReceivedQuotes(const std::string& received, const SPreviousQuoteFile& previous,
                                    bool cutShort);

// The header, the new lines, then the previous lines, each ended by a single line feed.
std::string ComposeRenewedFile(const std::vector<std::string>& newLines,
                               const std::vector<std::string>& previousLines);

// Local midnight of the calendar day after `midnight` (23 or 25 hours away across a change
// of daylight saving time).
int64_t NextLocalDay(int64_t midnight);
