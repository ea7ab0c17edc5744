#pragma once
#include "quotes/SQuote.h"
#include <cstdint>
#include <string>

// The texts of the date axis and the pane titles, from the translation table's title format
// (text 37) and date format (text 38).
namespace PaneTexts {

// The date format of text 38 ("%d-%b-%y" without a language file).
std::string DateFormat();
// The title format of text 37, or the built-in one when the translated text does not take
// exactly one text and five numbers.
std::string TitleFormat();
// True when `format` converts exactly one %s followed by five floating-point numbers.
bool IsTitleFormat(const std::string& format);
// Local calendar date of a stored date value in a strftime format.
std::string FormatDate(int32_t date, const std::string& format);
// The last-bar title: date, open, high, low, close and volume.
std::string FormatTitle(const SQuote& bar);
// "MA(5)=12.34": name, parameter text in brackets, value with two decimals; without a
// finite value the "=..." part is left out.
std::string CurveTitle(const std::string& name, const std::string& parameter, float value);

} // namespace PaneTexts
