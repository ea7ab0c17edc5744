#include "ToolFont.h"
#include <cstring>

LOGFONT DefaultToolFont() {
    LOGFONT font;
    font.lfHeight = 15;
    font.lfWidth = 6;
    font.lfWeight = 400;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}
