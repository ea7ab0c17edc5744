#pragma once
#include "SFieldError.h"
#include <optional>
#include <string>
#include <string_view>

// Numbers in dialog fields. A typed number may use "." or the decimal separator of the user's
// locale; a shown number always uses ".", so a field reads the same on every machine.

// Blanks around, an optional sign, digits with at most one decimal separator ("." or
// `localeDecimal`) and an optional exponent ("1e5", "2.5E-3"). Anything else (group
// separators, "inf", "nan", hexadecimal, an empty text, a value beyond double) is no number.
std::optional<double> ReadNumber(std::string_view text, std::string_view localeDecimal);

// The shortest text that reads back as the same value, with "." and, for 0 and magnitudes
// from 1e-5 to below 1e15, without an exponent ("1.5", "100000", "0.00001"); "-0" is "0".
std::string FormatNumber(double value);
// As for double, shortest for the float (1.1f is "1.1").
std::string FormatNumber(float value);

// Reads a field's text into `value`; on failure `value` is kept and the error names the
// field. A float field also refuses a number beyond the float range.
std::optional<SFieldError> ReadNumberField(unsigned controlId, std::string_view fieldName,
                                           std::string_view text, std::string_view localeDecimal,
                                           double& value);
std::optional<SFieldError> ReadNumberField(unsigned controlId, std::string_view fieldName,
                                           std::string_view text, std::string_view localeDecimal,
                                           float& value);

// Reads a whole number from `low` to `high` (blanks around, an optional sign, digits only)
// into `value`. On failure `value` is kept and the error names the field and the range:
// "<field>: please enter a whole number from <low> to <high>." (key "WholeNumberRange",
// "%1" and "%2" standing for the bounds), for any other text and for a number outside the
// range however many digits it has.
std::optional<SFieldError> ReadWholeNumberField(unsigned controlId, std::string_view fieldName,
                                                std::string_view text, int low, int high,
                                                int& value);
