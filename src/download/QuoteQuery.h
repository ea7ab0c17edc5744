#pragma once
#include "ctlkit/http/CWebGrab.h"
#include <cstdint>
#include <string>
#include <string_view>

// The historical-quote query: `server` + "/table.csv?s=%s&d=%d&e=%d&f=%d&g=d&a=%d&b=%d&c=%d
// &ignore=.csv", with the ticker URL-encoded; d/e/f are today (month - 1, day, year) and
// a/b/c the start date, both in local time. Dates are seconds since 1970.
std::string BuildQueryUrl(const std::string& server, const std::string& ticker, int64_t startDate,
                          int64_t now);

// Percent-encodes every byte but letters, digits and "-", ".", "_", "~".
std::string UrlEncode(std::string_view text);

// The start dates of the three downloads, local midnight.
int64_t MissingFileStartDate();  // 1 January 2000
int64_t ReDownloadStartDate();   // 1 January 1995
int64_t RenewalQueryStartDate(); // 1 January 1980

// The date of one line of the answer for the transfer's end check: the quote line's date
// (ReadQuoteLineDate); an unknown month name is an unknown format.
CWebGrab::ELineDate ReadAnswerLineDate(std::string_view line, int64_t& midnight);
