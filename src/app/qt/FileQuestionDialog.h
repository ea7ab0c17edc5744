#pragma once
#include "app/CChartCommands.h"
#include <optional>
#include <string>

class QWidget;

// Answers a file question of the chart commands with Qt's open or save dialog, in the
// question's folder with its filter and proposed name; nullopt on Cancel.
std::optional<std::string> AskFileName(QWidget* parent, const SFileQuestion& question);
