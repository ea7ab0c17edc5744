#pragma once
#include "ctlkit/base/LOGFONT.h"

// The font a new text or retracement label starts with: "Arial", height 15, width 6, weight 400.
LOGFONT DefaultToolFont();
