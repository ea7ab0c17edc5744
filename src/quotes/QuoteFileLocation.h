#pragma once
#include "ctlkit/base/CFileResult.h"
#include <string>

// Where the quote file of a symbol lies, and the folders around it.
//
// The quote file of symbol S in market M is the data folder + M + "/" + S + ".csv". The data
// folder (with a trailing "/") is the caller's, read from setup.ini as each file is opened
// (CModelContext::DataFolder), so that a folder the user chose applies at once. A symbol
// that already ends in ".txt" or ".csv" (exactly so) keeps that extension, and the symbol
// proper is S without it.

struct SQuoteFileLocation {
    std::string path;   // the quote file
    std::string symbol; // the symbol without a ".txt" or ".csv" it came with
};

// Forms the location; a market code or symbol that cannot be used as one path part is
// refused (UnsafeName, with the message naming it).
CFileResult LocateQuoteFile(const std::string& dataFolder, const std::string& market,
                            const std::string& symbol, SQuoteFileLocation& location);

// Creates the data folder + market (and the data folder itself) when missing: UnsafeName for
// an unsafe market code, CannotWrite for a folder that cannot be created.
CFileResult EnsureMarketFolder(const std::string& dataFolder, const std::string& market);

// True when `path` names something below the data folder once both are resolved as the file
// system resolves them (symbolic links followed, so a link inside the folder that points
// elsewhere is outside; "." and ".." taken after the links they follow). `resolved` (when
// given) then gets the resolved path, which is the one to write to. A path or folder that
// cannot be resolved (a loop of links, a folder that cannot be searched) is not inside.
bool IsInsideDataFolder(const std::string& dataFolder, const std::string& path,
                        std::string* resolved = nullptr);
