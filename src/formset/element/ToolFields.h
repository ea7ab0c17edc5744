#pragma once
#include "formset/SFieldError.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the fields of the tools' properties dialogs read what was typed. Each reads into
// `value` only when the text is taken, and names the field in its refusal.
namespace ToolFields {

enum class EBounds { Inclusive, Exclusive };

// A number from `low` to `high` ("<field>: please enter a number from <low> to <high>.", key
// "NumberRange"), or strictly between them with EBounds::Exclusive ("<field>: please enter a
// number between <low> and <high>.", key "NumberBetween"). No number at all, "nan", "inf" and
// values beyond a float are refused as no number.
std::optional<SFieldError> ReadFloatInRange(unsigned id, std::string_view field,
                                            std::string_view text, std::string_view localeDecimal,
                                            float low, float high, EBounds bounds, float& value);

// A text that is not blank ("<field>: please enter a text.", key "EnterText").
std::optional<SFieldError> ReadText(unsigned id, std::string_view field, std::string_view text,
                                    std::string& value);

// The first terms of 1, 1, 2, 3, 5, ... as the time zones' offsets, as shown in the dialog:
// "1, 1, 2, 3".
std::string OffsetsText(const std::vector<uint32_t>& offsets);

} // namespace ToolFields
