#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The window messages that worker threads send to windows of the user-interface thread, with
// the system's own numbers.
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_USER = 0x0400;
// A quote file was written: wText = ticker, lText = market. The receiver answers 1 when it
// loaded the file, else 0.
inline constexpr unsigned WM_QUOTE_DOWNLOADED = WM_USER + 1900;
// An import step finished (one file imported or refused): wParam = 0, lParam = the number of
// files done so far. The progress bar advances.
inline constexpr unsigned WM_IMPORT_PROGRESS = WM_USER + 1920;
// The downloader's job wrote the quote file of its record, or found it up to date: wText =
// ticker, lText = market, lParam = the number of new days (0: nothing new). Sent.
inline constexpr unsigned WM_FETCH_DONE = WM_USER + 1901;
// The downloader's job failed: wParam = kFetchNoAnswer (sent), kFetchNotQuotes or
// kFetchCannotWrite (posted); wText = ticker, lText = market.
inline constexpr unsigned WM_FETCH_FAILED = WM_USER + 1910;
inline constexpr uintptr_t kFetchNoAnswer = 1;
inline constexpr uintptr_t kFetchNotQuotes = 2;
inline constexpr uintptr_t kFetchCannotWrite = 3;
// A market list job ended: wText = market name, lParam = one of the kMarketList... results.
inline constexpr unsigned WM_MARKETLIST_DONE = WM_USER + 1950;
// A connection check ended: wParam = 1 when at least one byte came, else 0.
inline constexpr unsigned WM_CONNECT_CHECKED = WM_USER + 1960;

// One message. The string parameters, which travel as newly allocated strings between the
// windows of the platform, are carried by value: a message that is dropped leaks nothing.
struct SWindowMessage {
    unsigned message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    std::string wText;
    std::string lText;
};

// The number of a registered message: the same name gives the same number (0xC000 upwards)
// for every caller in the process.
unsigned RegisterWindowMessage(std::string_view name);

// "REFRESH LIST", posted to the application's main window when a queue hands out a job;
// registered once, when the library is loaded.
unsigned RefreshListMessage();
