#pragma once
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "quotes/CViewPar.h"

// The stored view-parameter record of one pane, as chart files and templates hold it: frame,
// background, title and axis text colours; grid pen style, cellMaxX, cellMaxY, vertical and
// horizontal grid flags (ints); label font and axis font (element/FontRecord.h); identifier
// count and identifiers (counted strings); 256 flag bytes.
void WriteViewPar(CArchiveWriter& ar, const CViewPar& par);
// Reads one record into `par`. Refused (false, archive failed) when the archive ends early,
// when cellMaxX or cellMaxY lies outside 1..1000, when a font is refused (FontRecord.h), or
// when the identifier count is above CViewPar::kMaxIdentifiers (64) or more than the bytes
// left can hold. Face names are cut to 31 characters.
bool ReadViewPar(CArchiveReader& ar, CViewPar& par);
