#pragma once
#include "ctlkit/base/CFileResult.h"
#include <string>
#include <vector>

// The market definitions of Index/market.txt: a first line exactly "Market\tFullName\tSuffix",
// then one line per market: code, tab, full name, tab, ticker suffix. Lines shorter than 4
// characters or starting with "<" are skipped. The position in the lists is the market index.
class CMarketList {
public:
    // CannotOpen for a file that cannot be read, WrongType for one with another first line;
    // no markets then.
    CFileResult Load(const std::string& path);
    // The same from text (WrongType only).
    CFileResult Parse(const std::string& text);

    const std::vector<std::string>& Codes() const { return m_codes; }
    const std::vector<std::string>& FullNames() const { return m_fullNames; }
    // The ticker suffix of each market (the third column, "" when the line has none),
    // parallel to Codes(). It becomes part of a file name: a suffix that cannot is stored as
    // "" and its market's code listed in RefusedSuffixes().
    const std::vector<std::string>& Suffixes() const { return m_suffixes; }
    const std::vector<std::string>& RefusedSuffixes() const { return m_refusedSuffixes; }
    // The suffix of the market `code`, or null when the list has no such market.
    const std::string* SuffixOf(const std::string& code) const;
    // Market codes left out because they cannot be used as folder names.
    const std::vector<std::string>& Refused() const { return m_refused; }

    static constexpr const char* kHeader = "Market\tFullName\tSuffix";

private:
    std::vector<std::string> m_codes;
    std::vector<std::string> m_fullNames;
    std::vector<std::string> m_refused;
    std::vector<std::string> m_suffixes;
    std::vector<std::string> m_refusedSuffixes;
};
