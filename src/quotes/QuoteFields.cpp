#include "QuoteFields.h"
#include <charconv>
#include <cmath>

void SplitQuoteFields(std::string_view line, std::string_view* fields, size_t count) {
    size_t pos = 0;
    bool more = true; // false once the last field of the line has been taken
    for (size_t i = 0; i < count; ++i) {
        if (!more) {
            fields[i] = {};
            continue;
        }
        size_t comma = line.find(',', pos);
        more = comma != std::string_view::npos;
        size_t stop = more ? comma : line.size();
        fields[i] = line.substr(pos, stop - pos);
        pos = stop + 1;
    }
}

bool ReadRequiredNumber(std::string_view text, float& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    float parsed = 0;
    auto [ptr, ec] = std::from_chars(text.data(), end, parsed, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ReadOptionalNumber(std::string_view text, float& value) {
    if (text.empty()) {
        value = 0;
        return true;
    }
    return ReadRequiredNumber(text, value);
}

bool ReadDigits(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + (c - '0');
    }
    value = parsed;
    return true;
}
