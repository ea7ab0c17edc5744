#pragma once

// The downloader's texts that have no number in the string table; each is translated by
// CLanguage::TranslateText under its own English text.

// An import started without any file.
inline constexpr const char* kNoEodDataSelected = "No EOD DATA Selected.";
// The stock selection's "Add" or "Remove" with nothing marked.
inline constexpr const char* kNoItemsSelected =
    "No Items was selected. Please Select an Item first.";
// The tray refused the icon, or the tray menu could not be loaded.
inline constexpr const char* kCannotSetTrayIcon = "Unable to Set Tary Icon";
inline constexpr const char* kCannotLoadTrayMenu = "Unabled to Load menu";
