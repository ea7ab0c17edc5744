#pragma once
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "ctlkit/base/LOGFONT.h"

// The font as chart elements, view records and templates store it: height, width, weight
// (ints), italic (1 byte), face name (counted string). The other LOGFONT fields are not stored.
void WriteFontRecord(CArchiveWriter& ar, const LOGFONT& font);
// Reads the five items into `font`; a face name longer than 31 characters is cut to 31.
// False when the archive fails (the font is then partly read), also when it fails here: a
// height or width beyond +-kMaxFontPixels (LOGFONT.h) or a weight outside 0..1000.
bool ReadFontRecord(CArchiveReader& ar, LOGFONT& font);
// The heaviest weight a font record may hold.
inline constexpr int kMaxFontWeight = 1000;
