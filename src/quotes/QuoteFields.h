#pragma once
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
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
namespace quote_fields_detail {
inline constexpr float kPowersOfTen[11] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                           1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// A field of the plain form [-]digits[.digits] with at most eight digits worth less than
// 2^24 and at most ten after the point: both the digits and the power of ten are exact
// floats, so their one IEEE division is the correctly rounded value, the very float
// from_chars gives. False, touching nothing, for any other text; from_chars then decides.
inline bool ReadPlainDecimal(const char*& p, const char* end, float& value) {
    const char* q = p;
    const bool negative = q != end && *q == '-';
    if (negative) ++q;
    uint32_t digits = 0;
    int count = 0, after = 0;
    const char* first = q;
    while (q != end && *q >= '0' && *q <= '9' && count < 9) {
        digits = digits * 10 + static_cast<uint32_t>(*q++ - '0');
        ++count;
    }
    if (q == first) return false;
    if (q != end && *q == '.') {
        const char* point = ++q;
        while (q != end && *q >= '0' && *q <= '9' && count < 9) {
            digits = digits * 10 + static_cast<uint32_t>(*q++ - '0');
            ++count;
        }
        after = static_cast<int>(q - point);
        if (after == 0) return false;
    }
    if (count > 8 || digits >= (uint32_t{1} << 24) || after > 10) return false;
    if (q != end && *q != ',') return false;
    const float magnitude = static_cast<float>(digits) / kPowersOfTen[after];
    value = negative ? -magnitude : magnitude;
    p = q == end ? end : q + 1;
    return true;
}
} // namespace quote_fields_detail

// Inline, as a reader calls it for every field of every line.
inline bool ReadNumberField(const char*& p, const char* end, float& value) {
    if (p == end || *p == ',') return false;
    if (quote_fields_detail::ReadPlainDecimal(p, end, value)) return true;
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
