#pragma once
#include "app/CommandLine.h"

// The windowed program from start-up to exit: the language of setup.ini, the command line
// with its splash screen and registration switches, the per-user store, the main frame with
// its menus, the chart the command line names, the frame shown as it was left, and the test
// switches.
class CZentriStockApp {
public:
    // Within a running QApplication; the exit status.
    static int Run(const CommandLine& commandLine);
};
