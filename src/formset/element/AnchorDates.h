#pragma once
#include "formset/SFieldError.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An anchor's bar index shown and typed as the date of its bar. `barDates` holds the date
// text of every bar of the series, oldest first, in the program's date format.
namespace AnchorDates {

// The date of bar trunc(x); empty when x lies outside the bars.
std::string TextOf(float x, const std::vector<std::string>& barDates);

// Reads a typed date into the anchor's bar index `x`. The text shown for x (TextOf) keeps x
// as it is, so an anchor between bars or beyond the data stays where it was; the date of a
// bar (blanks and letter case aside) gives that bar's index. A date outside the bars, on a day
// without a bar, or no date at all is refused: "<field>: please enter the date of a bar, from
// <first> to <last>." (key "DateOfBar"), or "<field>: the chart has no bars." (key "NoBars").
std::optional<SFieldError> Read(unsigned id, std::string_view field, std::string_view text,
                                const std::vector<std::string>& barDates, float& x);

} // namespace AnchorDates
