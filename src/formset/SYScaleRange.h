#pragma once
#include "SFieldError.h"
#include <optional>
#include <string>
#include <string_view>

// The Y-scale fields as messages name them (the dialog passes its translated labels).
struct SYScaleFieldNames {
    std::string max = "Maximum";
    std::string min = "Minimum";
};

// The vertical range of one pane as the Y-scale dialog edits it. A pane maps a value to a
// pixel by dividing by max - min, so a range is taken only when both ends are finite floats,
// max lies strictly above min and max - min is itself a finite float.
struct SYScaleRange {
    // The dialog's controls, which refused fields point at.
    static constexpr unsigned kMaxField = 1001;
    static constexpr unsigned kMinField = 1002;

    float max = 0;
    float min = 0;

    // The first refused field: "<Maximum>: must be greater than <Minimum>." (key
    // "AboveMinimum", "%s" for the maximum's name and "%1" for the minimum's) when max is not
    // above min, "<Maximum>: the range is too large." (key "RangeTooLarge") when max - min
    // overflows; a non-finite end is no number.
    std::optional<SFieldError> Check(const SYScaleFieldNames& names = {}) const;
    // Reads both texts ("." or `localeDecimal`), then checks; the range is changed only
    // when both are taken.
    std::optional<SFieldError> Read(std::string_view maxText, std::string_view minText,
                                    std::string_view localeDecimal,
                                    const SYScaleFieldNames& names = {});

    bool operator==(const SYScaleRange&) const = default;
};
