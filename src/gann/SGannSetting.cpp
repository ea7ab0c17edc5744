#include "SGannSetting.h"
#include "CGannTable.h"
#include "formset/NumberText.h"
#include <cmath>
#include <string>

namespace {

SFieldError SideRefused(std::string_view fieldName) {
    return SFieldError::Make(SGannSetting::kSideField, std::string(fieldName), "IntegerRange",
                             "Please enter an integer between %1 and %2.",
                             {{"%1", std::to_string(CGannTable::kMinSide)},
                              {"%2", std::to_string(CGannTable::kMaxSide)}});
}

} // namespace

SGannSetting SGannSetting::Of(const CGannTable& table) {
    return {table.Side(), table.Start(), table.End()};
}

std::optional<SFieldError> SGannSetting::ReadSide(std::string_view text,
                                                  std::string_view fieldName) {
    int read = 0;
    if (ReadWholeNumberField(kSideField, fieldName, text, CGannTable::kMinSide,
                             CGannTable::kMaxSide, read))
        return SideRefused(fieldName);
    side = read;
    return std::nullopt;
}

std::optional<SFieldError> SGannSetting::Validate() const {
    if (side < CGannTable::kMinSide || side > CGannTable::kMaxSide)
        return SideRefused("Row(Column)");
    if (!std::isfinite(start)) return SFieldError::NotANumber(kStartField, "Start From");
    if (!std::isfinite(end)) return SFieldError::NotANumber(kEndField, "End At");
    return std::nullopt;
}

bool SGannSetting::ApplyTo(CGannTable& table) const {
    return !Validate() && table.Apply(side, start, end);
}
