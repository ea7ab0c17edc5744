#pragma once
#include <string>
#include <string_view>

// The price a snapping element follows, kept language-neutral: "open", "high", "low",
// "close", or the name of an indicator curve. Older charts stored the translated price names.
namespace SnapField {
inline constexpr const char* kOpen = "open";
inline constexpr const char* kHigh = "high";
inline constexpr const char* kLow = "low";
inline constexpr const char* kClose = "close";

// The code of a stored snap field: a price name in any known translation gives its code;
// anything else is kept as it is. Known are the built-in texts 47 to 50, the active language
// file's, and then those of every language file in `languageFolder`, so a chart saved under
// one language reads under any other. The built-in and active texts are compared first; a
// text that names two prices in two files reads as the first of open, high, low, close.
std::string FromStored(std::string_view stored, const std::string& languageFolder);
// As above with the installation's language folder: CLanguage::GetFolder() when set, else
// the "Lng/" folder of the running program's installation.
std::string FromStored(std::string_view stored);
// 0 open, 1 high, 2 low, 3 close, -1 for a curve name or nothing.
int PriceIndex(std::string_view code);
} // namespace SnapField
