#include "ToolFields.h"
#include "formset/NumberText.h"
#include <cmath>

namespace ToolFields {

std::optional<SFieldError> ReadFloatInRange(unsigned id, std::string_view field,
                                            std::string_view text, std::string_view localeDecimal,
                                            float low, float high, EBounds bounds, float& value) {
    float read = value;
    if (auto error = ReadNumberField(id, field, text, localeDecimal, read)) return error;
    const bool inside =
        bounds == EBounds::Inclusive ? read >= low && read <= high : read > low && read < high;
    if (!inside) {
        const std::vector<SPlaceholder> range = {{"%1", FormatNumber(low)},
                                                 {"%2", FormatNumber(high)}};
        return bounds == EBounds::Inclusive
                   ? SFieldError::Make(id, std::string(field), "NumberRange",
                                       "%s: please enter a number from %1 to %2.", range)
                   : SFieldError::Make(id, std::string(field), "NumberBetween",
                                       "%s: please enter a number between %1 and %2.", range);
    }
    value = read;
    return std::nullopt;
}

std::optional<SFieldError> ReadText(unsigned id, std::string_view field, std::string_view text,
                                    std::string& value) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return SFieldError::Make(id, std::string(field), "EnterText", "%s: please enter a text.");
    value = std::string(text);
    return std::nullopt;
}

std::string OffsetsText(const std::vector<uint32_t>& offsets) {
    std::string text;
    for (uint32_t offset : offsets) {
        if (!text.empty()) text += ", ";
        text += std::to_string(offset);
    }
    return text;
}

} // namespace ToolFields
