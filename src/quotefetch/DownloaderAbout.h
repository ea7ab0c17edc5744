#pragma once
#include <string>
#include <utility>
#include <vector>

// What the downloader's About dialog tells: the program (text 513) and its build, the
// libraries it runs on, and the files of the installation it works on, as the chart
// program's About does.
struct SDownloaderAboutFacts {
    std::string version;       // "0.1.0"
    std::string buildDate;     // "2026-12-09"
    std::string qtVersion;     // of the Qt in use
    std::string curlVersion;   // of the libcurl in use
    std::string programFolder; // with a trailing "/"
    std::string setupIni;      // the settings file shared with the chart program
    std::string selection;     // System/downloader.dat
    std::string dataFolder;    // where the quote files go
};

using DownloaderAboutRow = std::pair<std::string, std::string>; // label without ":", value

// The licence the programs are distributed under.
extern const char* const kDownloaderLicence;

// The rows in their order.
std::vector<DownloaderAboutRow> DownloaderAboutRows(const SDownloaderAboutFacts& facts);
