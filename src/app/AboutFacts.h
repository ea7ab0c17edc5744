#pragma once
#include <string>
#include <utility>
#include <vector>

// What the About dialog tells, for the user and for whoever helps them: the program and its
// build, the libraries it runs on, and the files this installation uses.
struct SAboutFacts {
    std::string version;       // "0.1.0"
    std::string buildDate;     // "2026-12-09"
    std::string qtVersion;     // of the Qt in use
    std::string curlVersion;   // of the libcurl in use
    std::string programFolder; // with a trailing "/"
    std::string setupIni;      // the installation's settings file
    std::string userStore;     // the per-user store of window placement and recent files
    std::string homePage;      // the configured home page; shown only when a web address
};

// The licence the program is distributed under, as the About dialog names it.
extern const char* const kProgramLicence;

using AboutRow = std::pair<std::string, std::string>; // label without ":", value

// The rows of the dialog, in their order; the home page row only when it is an http or https
// address (the same rule as the Help menu's links).
std::vector<AboutRow> AboutRows(const SAboutFacts& facts);

// The rows as lines of "Label: value", the program's name first: what the dialog's Copy
// button puts on the clipboard for a support request.
std::string AboutSupportText(const SAboutFacts& facts);
