#include "SYScaleRange.h"
#include "NumberText.h"
#include <cmath>

std::optional<SFieldError> SYScaleRange::Check(const SYScaleFieldNames& names) const {
    if (!std::isfinite(max)) return SFieldError::NotANumber(kMaxField, names.max);
    if (!std::isfinite(min)) return SFieldError::NotANumber(kMinField, names.min);
    if (!(max > min)) {
        return SFieldError::Make(kMaxField, names.max, "AboveMinimum",
                                 "%s: must be greater than %1.", {{"%1", names.min}});
    }
    if (!std::isfinite(max - min))
        return SFieldError::Make(kMaxField, names.max, "RangeTooLarge",
                                 "%s: the range is too large.");
    return std::nullopt;
}

std::optional<SFieldError> SYScaleRange::Read(std::string_view maxText, std::string_view minText,
                                              std::string_view localeDecimal,
                                              const SYScaleFieldNames& names) {
    SYScaleRange read = *this;
    if (auto error = ReadNumberField(kMaxField, names.max, maxText, localeDecimal, read.max))
        return error;
    if (auto error = ReadNumberField(kMinField, names.min, minText, localeDecimal, read.min))
        return error;
    if (auto error = read.Check(names)) return error;
    *this = read;
    return std::nullopt;
}
