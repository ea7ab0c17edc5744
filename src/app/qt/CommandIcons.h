#pragma once
#include <QIcon>

// The program's own image of a command, painted in code at 16 and 32 pixels (1x and 2x); a
// null icon for a command without one.
QIcon CommandIcon(unsigned command);
