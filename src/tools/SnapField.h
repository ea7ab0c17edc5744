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

// The code of a stored snap field: a price name in any known translation (the built-in texts
// 47 to 50 and the active language file's) gives its code; anything else is kept as it is.
std::string FromStored(std::string_view stored);
// 0 open, 1 high, 2 low, 3 close, -1 for a curve name or nothing.
int PriceIndex(std::string_view code);
} // namespace SnapField
