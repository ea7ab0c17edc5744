#pragma once
#include <algorithm>
#include <cstdint>

// The font record of the settings file and the chart file, laid out like the Windows
// LOGFONT with an 8-bit face name of at most 31 characters.
struct LOGFONT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};

// The largest font height or width, in pixels, that a stored record may hold and that is
// ever drawn: beyond any font dialog's sizes, far inside int arithmetic.
inline constexpr int kMaxFontPixels = 4096;

// The size in pixels of a stored height or width (a negative height is a character height),
// held to 0..kMaxFontPixels; INT_MIN included, which std::abs cannot take.
constexpr int FontPixels(int32_t stored) {
    const int64_t magnitude = stored < 0 ? -static_cast<int64_t>(stored) : stored;
    return static_cast<int>(std::min<int64_t>(magnitude, kMaxFontPixels));
}
