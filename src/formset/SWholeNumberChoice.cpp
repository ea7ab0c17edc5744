#include "SWholeNumberChoice.h"
#include "NumberText.h"
#include <algorithm>

SWholeNumberChoice SWholeNumberChoice::Within(int current, int low, int high) {
    high = std::max(low, high);
    return {std::clamp(current, low, high), low, high};
}

SWholeNumberChoice SWholeNumberChoice::PaneCount(int current) {
    return Within(current, kMinPanes, kMaxPanes);
}

SWholeNumberChoice SWholeNumberChoice::NDays(int current, int baseQuotes) {
    return Within(current, 1, baseQuotes > 0 ? std::min(baseQuotes, kMaxNDays) : kMaxNDays);
}

std::optional<SFieldError> SWholeNumberChoice::Read(std::string_view text,
                                                    std::string_view fieldName) {
    return ReadWholeNumberField(kField, fieldName, text, low, high, value);
}
