#pragma once
#include "formset/SFieldError.h"
#include "indicators/IndicatorLooks.h"
#include <optional>
#include <string>

class CTradeFlag;

// The trade-flag fields as messages name them (the dialog passes its translated labels).
struct STradeFlagFieldNames {
    std::string colour = "Colour";
    std::string text = "Text";
};

// What the trade flag properties dialog edits: the look of one trade-flag series, with its
// name and direction shown but not edited. `room` as in SCurveProperties.
struct STradeFlagProperties {
    // The dialog's controls, which refused fields point at.
    static constexpr unsigned kColourField = 1001;
    static constexpr unsigned kSecondColourField = 1002;
    static constexpr unsigned kMarkerField = 1003;
    static constexpr unsigned kTextField = 1004;
    static constexpr unsigned kFontField = 1005;

    std::string name;
    int direction = 1; // CTradeFlag::kBuy
    STradeFlagLook look;
    STradeFlagLook opened;
    int room = -1;

    static STradeFlagProperties Of(const CTradeFlag& flag, int room);

    // Nothing is refused while the look is the one the dialog opened with. Else the first
    // refused field: a text with a control character ("<Text>: please enter one
    // line of text.", key "OneLineText"), one longer than 63 bytes or than the pane's room
    // leaves ("<Text>: please enter at most %1 characters.", key "TextTooLong"), or a
    // changed look that cannot be kept even without a text ("<Colour>: the pane has no room
    // left to keep the look of one more line.", key "NoRoomForLook").
    std::optional<SFieldError> Check(const STradeFlagFieldNames& names = {}) const;
    std::optional<SFieldError> Validate() const { return Check(); }

    bool operator==(const STradeFlagProperties&) const = default;
};
