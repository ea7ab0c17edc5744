#pragma once
#include "formset/view/SPaneViewSettings.h"
#include <functional>

class QWidget;

// The dialog of a part, run modally over `parent` on the model's copy: what
// EditPaneViewSettings takes.
std::function<bool(SPaneViewSettings&)> PaneSettingsDialog(EViewParPart part, QWidget* parent);
