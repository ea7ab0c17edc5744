#pragma once
#include "formset/SFieldError.h"
#include <optional>
#include <string_view>

class CGannTable;

// What the "Gann Chart Setting" dialog edits: the square's side as shown ("Row(Column):", the
// row count less the header row) and the values of the first and the last spiral number.
struct SGannSetting {
    enum EField : unsigned { kSideField = 1001, kStartField = 1002, kEndField = 1003 };

    int side = 13;
    float start = 0.0f;
    float end = 1.0f;

    static SGannSetting Of(const CGannTable& table);

    // Reads the side's text; anything but a whole number from 2 to 100 is refused with the
    // range message and `side` kept.
    std::optional<SFieldError> ReadSide(std::string_view text, std::string_view fieldName);
    // The side within 2..100 and both values finite numbers.
    std::optional<SFieldError> Validate() const;
    // Resizes and refills `table`; false (and `table` untouched) for a refused setting.
    bool ApplyTo(CGannTable& table) const;

    bool operator==(const SGannSetting&) const = default;
};
