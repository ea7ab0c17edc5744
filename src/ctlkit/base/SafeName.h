#pragma once
#include <string_view>

// True when a name from outside (a ticker, a market code, a file name from a list, typed
// text) may be used as one path part: not empty, not "." or "..", and free of "/", "\",
// "..", NUL and control characters.
bool IsSafePathPart(std::string_view name);
