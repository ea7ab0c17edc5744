#pragma once
#include "element/CSymbol.h"
#include <memory>

// Creates the chart element of a type code: the drawing tools (1 to 30), the indicator curve
// (36) and the icons, both by their stored code 29 and by the icon tool codes 51 to 90
// (icon number = code - 51). Null for every other code, among them the armed-only tools 5,
// 14, 18, 21, 22 and 25; the price series (37) and trade flags (38) are made by their owners.
std::unique_ptr<CSymbol> CreateToolElement(int code);
