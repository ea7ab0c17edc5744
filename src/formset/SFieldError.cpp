#include "SFieldError.h"
#include "ctlkit/lang/CLanguage.h"

SFieldError SFieldError::NotANumber(unsigned controlId, std::string fieldName) {
    return Make(controlId, std::move(fieldName), "EnterNumber", "%s: please enter a number.");
}

SFieldError SFieldError::Make(unsigned controlId, std::string fieldName, std::string_view key,
                              std::string_view fallback) {
    return Make(controlId, std::move(fieldName), key, fallback, {});
}

SFieldError SFieldError::Make(unsigned controlId, std::string fieldName, std::string_view key,
                              std::string_view fallback, const std::vector<SPlaceholder>& more) {
    std::vector<SPlaceholder> fills = more;
    fills.emplace_back("%s", fieldName);
    std::string message = FillPlaceholders(CLanguage::TranslateText(key, fallback), fills);
    return {controlId, std::move(fieldName), std::move(message)};
}

std::string FillPlaceholders(std::string_view pattern, const std::vector<SPlaceholder>& fills) {
    std::string out;
    while (!pattern.empty()) {
        const SPlaceholder* found = nullptr;
        for (const SPlaceholder& fill : fills)
            if (!fill.first.empty() && pattern.starts_with(fill.first)) found = &fill;
        if (found) {
            out += found->second;
            pattern.remove_prefix(found->first.size());
        } else {
            out += pattern.front();
            pattern.remove_prefix(1);
        }
    }
    return out;
}
