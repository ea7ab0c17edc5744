#pragma once
#include <string>

// The text of a value-scale label: "%.4f" cut to its first five characters (12.3456 ->
// "12.34", 1234.5 -> "1234."). A value whose integer part needs more than five characters
// is shown in thousands, millions or billions instead (5120000 -> "5.12M"), so that no digit
// before the point is lost. A value that is not a finite number gives the empty text.
std::string FormatAxisLabel(double value);
