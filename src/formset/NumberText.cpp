#include "NumberText.h"
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The text with the locale's separator written as "."; nullopt when a separator appears twice.
std::optional<std::string> WithPoint(std::string_view text, std::string_view localeDecimal) {
    std::string out;
    int separators = 0;
    while (!text.empty()) {
        if (text.front() == '.' ||
            (!localeDecimal.empty() && text.substr(0, localeDecimal.size()) == localeDecimal)) {
            if (++separators > 1) return std::nullopt;
            out += '.';
            text.remove_prefix(text.front() == '.' ? 1 : localeDecimal.size());
        } else {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// sign? digits* ("." digits*)? with a digit somewhere, then (e|E sign? digits+)?
bool IsPlainNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    while (i < s.size() && IsDigit(s[i])) ++i, digits = true;
    if (i < s.size() && s[i] == '.') ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, digits = true;
    if (!digits) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size() || !IsDigit(s[i])) return false;
        while (i < s.size() && IsDigit(s[i])) ++i;
    }
    return i == s.size();
}

template <class T> std::string Format(T value) {
    if (value == 0) return "0";
    const T magnitude = std::fabs(value);
    const bool ordinary = magnitude >= T(1e-5) && magnitude < T(1e15);
    char text[512];
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, value,
                      ordinary ? std::chars_format::fixed : std::chars_format::general);
    return std::string(text, r.ptr);
}

template <class T>
std::optional<SFieldError> ReadField(unsigned controlId, std::string_view fieldName,
                                     std::string_view text, std::string_view localeDecimal,
                                     T& value) {
    const std::optional<double> number = ReadNumber(text, localeDecimal);
    if (!number || std::fabs(*number) > std::numeric_limits<T>::max())
        return SFieldError::NotANumber(controlId, std::string(fieldName));
    value = static_cast<T>(*number);
    return std::nullopt;
}

} // namespace

std::optional<double> ReadNumber(std::string_view text, std::string_view localeDecimal) {
    std::optional<std::string> number = WithPoint(Trimmed(text), localeDecimal);
    if (!number || !IsPlainNumber(*number)) return std::nullopt;
    const char* first = number->data();
    const char* last = first + number->size();
    if (*first == '+') ++first; // from_chars takes no plus sign
    double value = 0;
    const std::from_chars_result r = std::from_chars(first, last, value);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatNumber(double value) {
    return Format(value);
}

std::string FormatNumber(float value) {
    return Format(value);
}

std::optional<SFieldError> ReadNumberField(unsigned controlId, std::string_view fieldName,
                                           std::string_view text, std::string_view localeDecimal,
                                           double& value) {
    return ReadField(controlId, fieldName, text, localeDecimal, value);
}

std::optional<SFieldError> ReadNumberField(unsigned controlId, std::string_view fieldName,
                                           std::string_view text, std::string_view localeDecimal,
                                           float& value) {
    return ReadField(controlId, fieldName, text, localeDecimal, value);
}

std::optional<SFieldError> ReadWholeNumberField(unsigned controlId, std::string_view fieldName,
                                                std::string_view text, int low, int high,
                                                int& value) {
    std::string_view digits = Trimmed(text);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    bool allDigits = !digits.empty();
    for (char c : digits) allDigits = allDigits && IsDigit(c);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    // Ten digits or more lie beyond any range an int can bound.
    long long number = 0;
    const bool read =
        allDigits && digits.size() < 10 &&
        std::from_chars(digits.data(), digits.data() + digits.size(), number).ec == std::errc();
    if (negative) number = -number;
    if (!read || number < low || number > high)
        return SFieldError::Make(controlId, std::string(fieldName), "WholeNumberRange",
                                 "%s: please enter a whole number from %1 to %2.",
                                 {{"%1", std::to_string(low)}, {"%2", std::to_string(high)}});
    value = static_cast<int>(number);
    return std::nullopt;
}
