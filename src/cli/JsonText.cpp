#include "JsonText.h"
#include "FloatText.h"
#include <cmath>
#include <cstdio>

std::string NumberText(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return FormatGeneral9(value);
}

std::string JsonNumber(float value) {
    return std::isfinite(value) ? NumberText(value) : "\"" + NumberText(value) + "\"";
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}
