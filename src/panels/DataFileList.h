#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The quote files of one market folder as the Data Files page lists them.
struct SDataFile {
    std::string name;        // file name with its extension
    std::uintmax_t size = 0; // bytes
    long long modified = 0;  // last change, seconds since 1970-01-01 UTC
    bool operator==(const SDataFile&) const = default;
};

// The regular files of `folder` ending exactly in ".csv" or ".txt", in name order; none for
// a folder that cannot be read.
std::vector<SDataFile> ListDataFiles(const std::string& folder);

// The symbol a data file stands for: a ".csv" file its name without the extension, a ".txt"
// file its whole name (the quote reader keeps that extension).
std::string SymbolOfDataFile(const std::string& name);
