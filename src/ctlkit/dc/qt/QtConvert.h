#pragma once
#include "ctlkit/dc/CDC.h"
#include <QColor>
#include <QFont>

// The one place where the stored forms of colours, fonts and pen styles become Qt's and back.
namespace QtConvert {

// 0x00BBGGRR, red in the low byte; the top byte is ignored.
QColor ToQColor(COLORREF colour);
// The colour's red, green and blue; alpha is dropped.
COLORREF ToColorRef(const QColor& colour);

// Qt 6 weighs fonts on the same 1..1000 scale as the font record (400 normal, 700 bold), so a
// weight keeps its number; 0 ("any weight") is normal, and values are kept inside the scale.
int ToQtWeight(int logWeight);
int ToLogWeight(int qtWeight);

// Pixel height |lfHeight| (a negative height is a character height), weight, italic,
// underline, strike-out and the face name read as Latin-1, at most 31 characters.
QFont ToQFont(const LOGFONT& font);
// Height in pixels, width = the font's average character width (at least 1), weight, italic,
// underline, strike-out and the family written as Latin-1, cut to 31 characters.
LOGFONT ToLogFont(const QFont& font);

// The Qt pen style of a CDC pen number; an unknown number is solid.
Qt::PenStyle QtPenStyle(int style);

} // namespace QtConvert
