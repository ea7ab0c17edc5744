#pragma once
#include "ctlkit/lang/MenuTable.h"

// The tray menu of the downloader (menu resource 636) and its commands.
inline constexpr unsigned kTrayMenuId = 636;
inline constexpr unsigned kTrayRestore = 33771;
inline constexpr unsigned kTrayClose = 33772;
inline constexpr unsigned kTrayStop = 33773;
inline constexpr unsigned kTrayStart = 33774;
inline constexpr unsigned kTrayAbout = 33775;

// "Restore", "Stop", "Start", separator, "Close", "About Downloader...".
const CMenuTable& DownloaderTrayMenu();
