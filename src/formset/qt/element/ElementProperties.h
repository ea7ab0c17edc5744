#pragma once
#include "formset/element/SElementContext.h"
#include <functional>

class CStock;
class CSymbol;
class CText;
class QWidget;

// The properties dialog of a chart element over `parent`, chosen by its type code: a drawing
// tool's dialog (CElementFormset) or the price series' settings (CStockSetFormset). True when
// OK took the edits; Cancel, Escape and closing leave the element's stored record as it was,
// byte for byte. A snapping line snaps again after OK, so a regression line refits itself.
bool ShowElementProperties(CSymbol& element, const SElementContext& context, QWidget* parent);

// The chart around pane `pane` of `stock`: the names of the pane's curves and the date of every
// bar in the program's date format.
SElementContext ElementContextOf(CStock& stock, int pane);

// A chart window's element properties hook for the panes of the series `series` gives (asked
// each time: opening a chart file replaces the series), its dialogs over `parent`: those above,
// and for an indicator curve or a trade flag the dialogs of formset/qt/curve.
std::function<bool(CSymbol& element, int pane)>
ElementPropertiesEditor(QWidget* parent, std::function<CStock&()> series);

// The text dialog of a text element just placed: true when OK gave it a text (with its colour
// and font); false for Cancel, Escape, closing and an empty text, after which the caller takes
// the element away again.
bool EnterPlacedText(CText& text, QWidget* parent);
