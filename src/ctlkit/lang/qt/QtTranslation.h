#pragma once
#include "ctlkit/lang/LangSection.h"

class QMenu;
class QMenuBar;
class QWidget;

// The calls a window makes to translate itself with the active language file (CLanguage).
// A dialog, after it built its controls: section = its dialog identifier; key "0" is its
// title, every other key a control identifier (ControlId.h). Nothing changes while no
// language file is active.
void TranslateWidgets(QWidget& dialog, const CLangSection& section);
// A window's menu bar or a context menu: pop-ups by position ("|2", "|0|5"), commands by
// identifier; with translation off every item gets its resource text back.
void TranslateMenus(QMenuBar& bar, const CLangSection& section);
void TranslateMenus(QMenu& menu, const CLangSection& section);
