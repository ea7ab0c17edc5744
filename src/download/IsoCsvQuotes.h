#pragma once
#include "CQuoteSource.h"
#include <cstdint>
#include <string>
#include <string_view>

// The CSV form the newer quote services share: a header line, then one line per day of an
// ISO date (2005-01-07) and the prices and volume as decimal numbers. Read strictly, since
// none of these services promises its form: a byte-order mark and CR LF line ends are taken,
// anything else out of form refuses the whole answer.

struct SIsoCsvForm {
    std::string_view header;         // the header with the Volume column
    std::string_view headerNoVolume; // the header of instruments without volume; empty: none
    bool newestFirst = false;        // the order the days must come in, each day once
};

// The answer as quote-file lines, newest first, the numbers' texts as received, the volume
// "0" where the answer has none, the adjusted close the close. A day outside 1950 ... 2049
// (which the file's two-digit years cannot hold) is refused with a message naming it.
SQuoteConversion ConvertIsoCsvQuotes(std::string_view body, const SIsoCsvForm& form);

// The body without a leading UTF-8 byte-order mark.
std::string_view StripByteOrderMark(std::string_view body);
// Whether the first line of `body` (byte-order mark, CR before the LF taken) is `header`.
bool FirstLineIs(std::string_view body, std::string_view header);
// Whether `body` holds `text`, letters compared without case.
bool ContainsNoCase(std::string_view body, std::string_view text);

// The date of a raw answer line starting with an ISO date, for the transfer's cut-off.
CWebGrab::ELineDate ReadIsoLineDate(std::string_view line, int64_t& midnight);

// "YYYYMMDD" of the local day of `time`.
std::string CompactLocalDate(int64_t time);
