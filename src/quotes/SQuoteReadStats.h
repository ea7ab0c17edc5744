#pragma once
#include <cstddef>

// What a quote reader made of one line after the header.
enum class EQuoteLine { Quote, Short, Markup, BadNumber, BadDate, DateOutOfRange, UnknownMonth };

// What a quote reader did with the lines of one file, so a caller can tell the user how many
// lines it refused and why.
struct SQuoteReadStats {
    size_t lines = 0;          // lines after the header that were looked at
    size_t quotes = 0;         // quotes taken into the series
    size_t shortLines = 0;     // shorter than a quote line can be; the format skips them silently
    size_t markupLines = 0;    // lines beginning with "<", e.g. markup a web server appended
    size_t badNumberLines = 0; // a price or volume field that is not a complete finite number
    size_t badDateLines = 0;   // a date that is malformed or names no real day
    size_t dateOutOfRangeLines = 0; // a real day whose local midnight does not fit 32 bits
    size_t overlongLines = 0;       // longer than any quote line can be; not buffered
    bool stoppedAtMaximum = false;  // reading ended because the series reached its maximum
    bool stoppedAtUnknownMonth = false;
    bool readError = false; // the file could not be read to its end

    // Counts one line by what the reader made of it.
    void Count(EQuoteLine verdict);

    // Lines that looked like quotes but were refused.
    size_t Refused() const {
        return badNumberLines + badDateLines + dateOutOfRangeLines + overlongLines;
    }
};
