#include "SCurveProperties.h"
#include "formset/NumberText.h"
#include "series/CCurve.h"

namespace {
std::optional<SFieldError> OutOfRange(unsigned field, const std::string& name, int high) {
    return SFieldError::Make(field, name, "WholeNumberRange",
                             "%s: please enter a whole number from %1 to %2.",
                             {{"%1", "0"}, {"%2", std::to_string(high)}});
}
} // namespace

SCurveProperties SCurveProperties::Of(const CCurve& curve, int room) {
    SCurveProperties properties;
    properties.name = curve.name;
    properties.parameter = curve.parameter;
    properties.look = SCurveLook::Of(curve);
    properties.opened = properties.look;
    properties.room = room;
    return properties;
}

std::optional<SFieldError> SCurveProperties::Check(const SCurveFieldNames& names) const {
    if (look.lineWidth < 0 || look.lineWidth > SCurveLook::kMaxLineWidth)
        return OutOfRange(kWidthField, names.width, SCurveLook::kMaxLineWidth);
    if (look.drawKind < 0 || look.drawKind > SCurveLook::kMaxDrawKind)
        return OutOfRange(kStyleField, names.style, SCurveLook::kMaxDrawKind);
    if (look != opened && room >= 0 && CPaneLooks::StoredSize(look) > static_cast<size_t>(room))
        return SFieldError::Make(kColourField, names.colour, "NoRoomForLook",
                                 "%s: the pane has no room left to keep the look of one more "
                                 "line.");
    return std::nullopt;
}

std::optional<SFieldError> SCurveProperties::Read(std::string_view widthText,
                                                  const SCurveFieldNames& names) {
    SCurveProperties read = *this;
    if (auto error = ReadWholeNumberField(kWidthField, names.width, widthText, 0,
                                          SCurveLook::kMaxLineWidth, read.look.lineWidth))
        return error;
    if (auto error = read.Check(names)) return error;
    *this = read;
    return std::nullopt;
}
