#pragma once
#include "ctlkit/base/CFileResult.h"
#include <string>
#include <string_view>

// The first line of a CSV quote file, also written by the export.
inline constexpr std::string_view kCsvQuoteHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*";
// The first line of a ticker-list quote file.
inline constexpr std::string_view kTickerQuoteHeader =
    "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>";

inline constexpr std::string_view kEmptyQuoteFileMessage =
    "Invalid data file. Please check your network connection. ";
inline constexpr std::string_view kUnknownHeaderMessage =
    "Download failed. Maybe the stock code of selected stock is not correct.";
inline constexpr std::string_view kUnknownMonthMessage = "Unkonwn data file format.";

enum class EQuoteFileFormat {
    Unreadable, // missing, not a regular file, or not readable
    Empty,      // not a single line
    Unknown,    // the first line is neither header
    Csv,
    TickerList,
};

// Looks at the first line of the file; shows nothing.
EQuoteFileFormat DetectQuoteFileFormat(const std::string& path);

// Success when the file's first line is one of the two headers; otherwise why not, in the
// words the user is shown: Damaged for an empty file, WrongType for another first line,
// CannotOpen for a file that cannot be read.
CFileResult CheckQuoteFile(const std::string& path);

// The same verdict and message for a format already detected.
CFileResult AcceptQuoteFileFormat(EQuoteFileFormat format, const std::string& path);
