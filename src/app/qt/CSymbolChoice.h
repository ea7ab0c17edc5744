#pragma once
#include <optional>

class QWidget;

// The "Symbols" tool's question: which of the 40 icons to place next. The icon number, or
// nullopt on Cancel.
std::optional<int> AskSymbolIcon(QWidget* parent, int current);
