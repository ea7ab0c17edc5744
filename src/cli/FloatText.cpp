#include "FloatText.h"
#include <charconv>
#include <cmath>
#include <cstring>

char* AppendGeneral9(char* out, float value) {
    if (std::isnan(value)) {
        // to_chars has no sign for NaN on every library; printf writes the sign bit.
        const char* text = std::signbit(value) ? "-nan" : "nan";
        const std::size_t length = std::strlen(text);
        std::memcpy(out, text, length);
        return out + length;
    }
    // printf receives the float as a double; so does to_chars, for the same digits.
    return std::to_chars(out, out + kGeneral9Room, static_cast<double>(value),
                         std::chars_format::general, 9)
        .ptr;
}

void AppendGeneral9(std::string& out, float value) {
    char text[kGeneral9Room];
    out.append(text, AppendGeneral9(text, value));
}

std::string FormatGeneral9(float value) {
    std::string text;
    AppendGeneral9(text, value);
    return text;
}
