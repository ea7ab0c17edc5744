#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Whether a downloaded CSV answer would read back whole as a quote file. A download that
// replaces a quote file checks the answer first: a file the quote reader stops reading early
// (or reads nothing of) would lose the history the old file held.

enum class EQuoteAnswer {
    Readable,
    NoHeader,     // the first line is not exactly the header: the reader would take nothing
    UnknownMonth, // the reader stops at this line, keeping only the quotes before it
    CutLastLine,  // the answer ends inside a line: no line feed, and no complete quote
    NoQuote,      // not one line the reader takes as a quote
};

struct SQuoteAnswerCheck {
    EQuoteAnswer verdict = EQuoteAnswer::Readable;
    size_t lineNumber = 0; // the refused line, 1 for the header; 0 when no line is to blame
    std::string line;      // its text as the reader saw it, fit to be shown: control characters as
                           // "?", cut after 80 characters with "..."
    size_t quotes = 0;     // lines read as quotes before the verdict

    explicit operator bool() const { return verdict == EQuoteAnswer::Readable; }
};

// Reads `text` with the quote-file reader's own line cutting and line parser. A last line
// without a line feed counts as complete only when it is a quote with all seven fields; an
// answer whose transfer was cut mid-line would otherwise pass with a quote short of its
// volume or adjusted close.
SQuoteAnswerCheck CheckQuoteAnswer(std::string_view text);

// The message that names the refused line and says that the quote file was kept, for
// example: Line 3 of the downloaded data was refused (unknown month): "28-dec-06,...". The
// quote file was not changed.
std::string RefusedAnswerMessage(const SQuoteAnswerCheck& check);
