#pragma once
#include <optional>

class QWidget;

// A dialog's controls carry their control identifier as a property that the dialog code sets;
// translation (TranslateWidgets) and field messages find controls by it. A widget without
// one is no control: it is never matched with a key, but its children are still reached.
void SetControlId(QWidget& widget, unsigned id);
std::optional<unsigned> ControlIdOf(const QWidget& widget);
// The first descendant of `root` (depth first, `root` itself excluded) with that identifier.
QWidget* FindControl(QWidget& root, unsigned id);
