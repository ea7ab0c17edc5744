#pragma once
#include "app/CommandLine.h"

// The windowed program from start-up to exit: the language of setup.ini, the command line,
// the main window with the chart it names (a new chart from the default template, or the
// chart file named), the test switches, and the chart's settings stored when it closes.
class CZentriStockApp {
public:
    // Within a running QApplication; the exit status.
    static int Run(const CommandLine& commandLine);
};
