#include "IconNames.h"
#include <array>

namespace IconStrip {
namespace {
// In the strip's order.
constexpr std::array<std::string_view, kIconCount> kNames = {
    "Bull",      "Bear",       "Smile",       "Fair face",     "Sad face",    "Yeah",
    "Good",      "Bad",        "Up",          "Down",          "Up-left",     "Up-right",
    "Down-left", "Down-right", "Point left",  "Point right",   "Point up",    "Point down",
    "Boom",      "Dead",       "Flag",        "Triangle flag", "Sun",         "Snow",
    "Star",      "Moon",       "Aries",       "Taurus",        "Gemini",      "Cancer",
    "Leo",       "Virgo",      "Libra",       "Scorpio",       "Sagittarius", "Capricorn",
    "Aquarius",  "Pisces",     "Exclamation", "Question"};
} // namespace

std::string_view IconName(int index) {
    if (index < 0 || index >= kIconCount) return {};
    return kNames[static_cast<size_t>(index)];
}
} // namespace IconStrip
