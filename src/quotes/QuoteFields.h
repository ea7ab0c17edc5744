#pragma once
#include <cstddef>
#include <string_view>

// Cuts `line` at "," into fields[0] .. fields[count - 1]; a missing field is empty and text
// after the last wanted field is ignored.
void SplitQuoteFields(std::string_view line, std::string_view* fields, size_t count);

// A complete decimal number (no spaces, no sign "+", finite) rounded once to the nearest
// float, as strtof would; false for anything else, the empty text included.
bool ReadRequiredNumber(std::string_view text, float& value);

// As ReadRequiredNumber, except that the empty text reads as 0.
bool ReadOptionalNumber(std::string_view text, float& value);

// One or more decimal digits and nothing else, at most nine of them.
bool ReadDigits(std::string_view text, int& value);
