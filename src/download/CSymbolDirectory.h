#pragma once
#include "ctlkit/base/CFileResult.h"
#include <cstddef>
#include <string>
#include <string_view>

// The forms of a market's symbol list that an update accepts, told apart by their first
// line (after a byte-order mark):
//   List       "Symbol\tDescription", then symbol, tab, description: kept as it is;
//   Directory  a pipe-separated symbol directory as Nasdaq publishes it, nasdaqlisted.txt
//              ("Symbol|Security Name|...|Test Issue|...") or otherlisted.txt
//              ("ACT Symbol|Security Name|...|Test Issue|..."): turned into a List.
enum class ESymbolListForm { Unknown, List, Directory };

// What a conversion left out, for the update's log.
struct SSymbolListCounts {
    std::size_t symbols = 0;    // lines of the list written
    std::size_t testIssues = 0; // rows of test issues ("Test Issue" Y), skipped
    std::size_t refused = 0;    // rows whose symbol is not a safe ticker, never written
};

class CSymbolDirectory {
public:
    static constexpr std::size_t kMaxTickerLength = 15;

    static ESymbolListForm FormOf(std::string_view text);
    // A directory into a List ("Symbol\tDescription\n", then one "symbol\tname\n" per row);
    // a List is returned as it is, less its byte-order mark. The column of the symbol and of
    // "Security Name" and "Test Issue" are found by their header names. Empty rows and the
    // closing "File Creation Time: ..." row are skipped; a row without a safe ticker is
    // counted in `refused`. WrongType for text of neither form.
    static CFileResult ToSymbolList(std::string_view text, std::string& list,
                                    SSymbolListCounts* counts = nullptr);
    // 1 to 15 letters, digits and ".-$^=_" (share classes "BRK.A", preferreds "ABR$D",
    // indices "^DJI"), starting with a letter, a digit or "^", holding no "..": usable as a
    // file name, a database record and a query.
    static bool IsSafeTicker(std::string_view symbol);
};
