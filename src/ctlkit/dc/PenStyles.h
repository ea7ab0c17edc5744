#pragma once
#include "CDC.h"

// The stored numbers that pick a pen, each read into a CDC pen number (EPenStyle) here and
// nowhere else. The CDC numbers themselves become Qt's pens in QtConvert::QtPenStyle.
namespace PenStyles {

// A drawing tool's line style: 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot; 0 and
// anything else solid.
int ToolPenStyle(int lineStyle);

// The price line's stored pen style: 0 to 4 are the CDC pens solid ... dash-dot-dot as they
// are; anything else (a template's 5 among them) is solid.
int PricePenStyle(int stored);

} // namespace PenStyles
