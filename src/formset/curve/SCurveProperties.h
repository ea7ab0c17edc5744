#pragma once
#include "formset/SFieldError.h"
#include "indicators/IndicatorLooks.h"
#include <optional>
#include <string>
#include <string_view>

class CCurve;

// The curve fields as messages name them (the dialog passes its translated labels).
struct SCurveFieldNames {
    std::string colour = "Colour";
    std::string width = "Width";
    std::string style = "Style";
};

// What the curve properties dialog edits: the look of one indicator curve, with its name and
// parameter text shown but not edited. `room` is what the pane's store has for this curve's
// look (LookRoom), -1 when the look is not stored; a look other than the one the dialog
// opened with must fit in it.
struct SCurveProperties {
    // The dialog's controls, which refused fields point at.
    static constexpr unsigned kColourField = 1001;
    static constexpr unsigned kWidthField = 1002;
    static constexpr unsigned kStyleField = 1003;

    std::string name;
    std::string parameter;
    SCurveLook look;
    SCurveLook opened;
    int room = -1;

    // The curve's name, parameter text and look; `room` as above.
    static SCurveProperties Of(const CCurve& curve, int room);

    // The first refused field: a width outside 0..20 ("<Width>: please enter a whole number
    // from 0 to 20.", key "WholeNumberRange"), a draw kind outside 0..13 (the same for
    // <Style>), or a changed look the pane cannot keep ("<Colour>: the pane has no room left
    // to keep the look of one more line.", key "NoRoomForLook").
    std::optional<SFieldError> Check(const SCurveFieldNames& names = {}) const;
    std::optional<SFieldError> Validate() const { return Check(); }
    // Reads the width's text (a whole number), then checks; the model is changed only when
    // the width is taken and the check passes.
    std::optional<SFieldError> Read(std::string_view widthText, const SCurveFieldNames& names = {});

    bool operator==(const SCurveProperties&) const = default;
};
