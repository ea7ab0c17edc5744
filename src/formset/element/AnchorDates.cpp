#include "AnchorDates.h"
#include <cctype>
#include <cmath>

namespace AnchorDates {
namespace {

std::string Folded(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(" \t");
    std::string folded(text.substr(begin, end - begin + 1));
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

} // namespace

std::string TextOf(float x, const std::vector<std::string>& barDates) {
    if (!std::isfinite(x) || x < 0 || x >= static_cast<float>(barDates.size())) return {};
    return barDates[static_cast<size_t>(x)];
}

std::optional<SFieldError> Read(unsigned id, std::string_view field, std::string_view text,
                                const std::vector<std::string>& barDates, float& x) {
    const std::string typed = Folded(text);
    if (typed == Folded(TextOf(x, barDates))) return std::nullopt;
    for (size_t bar = 0; bar < barDates.size(); ++bar) {
        if (Folded(barDates[bar]) == typed) {
            x = static_cast<float>(bar);
            return std::nullopt;
        }
    }
    if (barDates.empty())
        return SFieldError::Make(id, std::string(field), "NoBars", "%s: the chart has no bars.");
    return SFieldError::Make(id, std::string(field), "DateOfBar",
                             "%s: please enter the date of a bar, from %1 to %2.",
                             {{"%1", barDates.front()}, {"%2", barDates.back()}});
}

} // namespace AnchorDates
