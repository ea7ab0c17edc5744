#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <cstring>
#include <string>

// A font record as the settings store it: width 6, the other fields 0.
inline LOGFONT TestFont(int height, int weight, bool italic, const char* face) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWidth = 6;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
    return font;
}

inline std::string FaceOf(const LOGFONT& font) {
    return std::string(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
}
