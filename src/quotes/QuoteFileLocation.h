#pragma once
#include <string>

// Where the quote file of a symbol lies, and the folders around it.
//
// The quote file of symbol S in market M is program folder + "Data/" + M + "/" + S + ".csv".
// A symbol that already ends in ".txt" or ".csv" (exactly so) keeps that extension, and the
// symbol proper is S without it.

// Program folder + "Data/".
std::string DataFolder();

struct SQuoteFileLocation {
    std::string path;   // the quote file
    std::string symbol; // the symbol without a ".txt" or ".csv" it came with
};

// Forms the location; a market code or symbol that cannot be used as one path part is
// refused with a message through the active prompter, and false is given.
bool LocateQuoteFile(const std::string& market, const std::string& symbol,
                     SQuoteFileLocation& location);

// Creates program folder + "Data/" + market (and "Data/" itself) when missing. An unsafe
// market code or a folder that cannot be created is reported through the prompter.
bool EnsureMarketFolder(const std::string& market);

// True when `path`, made absolute and with "." and ".." resolved by its text alone, names
// something below the data folder; `resolved` (when given) then gets that path, which is the
// one to write to, since the file system would resolve ".." after a symbolic link elsewhere.
bool IsInsideDataFolder(const std::string& path, std::string* resolved = nullptr);
