#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <cstring>

// The font both docking panels draw their texts in: Arial, 15 pixels high, normal weight.
inline LOGFONT PanelFont() {
    LOGFONT font;
    font.lfHeight = 15;
    font.lfWidth = 6;
    font.lfWeight = 400;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}
