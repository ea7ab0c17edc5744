#pragma once
#include <charconv>
#include <cmath>
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

// The field that starts at `p` and runs to the next "," or to `end`, read as
// ReadRequiredNumber reads the field's text alone. On success `p` moves past the field and its
// comma (to `end` after the line's last field); on failure nothing changes. A reader that
// takes the fields of a line one after the other this way sees the fields SplitQuoteFields
// would cut, without looking for each comma first.
// Inline, as a reader calls it for every field of every line.
inline bool ReadNumberField(const char*& p, const char* end, float& value) {
    if (p == end || *p == ',') return false;
    float parsed = 0;
    auto [ptr, ec] = std::from_chars(p, end, parsed, std::chars_format::general);
    // No number text holds a comma, so stopping at one means the whole field was the number.
    if (ec != std::errc() || (ptr != end && *ptr != ',') || !std::isfinite(parsed)) return false;
    value = parsed;
    p = ptr == end ? end : ptr + 1;
    return true;
}

// As ReadNumberField, except that an empty field (and a field beyond the line's last) reads
// as 0.
inline bool ReadOptionalNumberField(const char*& p, const char* end, float& value) {
    if (p == end || *p == ',') {
        value = 0;
        if (p != end) ++p;
        return true;
    }
    return ReadNumberField(p, end, value);
}

// One or more decimal digits and nothing else, at most nine of them.
bool ReadDigits(std::string_view text, int& value);
