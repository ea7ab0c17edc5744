#include "FontRecord.h"
#include <algorithm>
#include <cstring>
#include <string>

void WriteFontRecord(CArchiveWriter& ar, const LOGFONT& font) {
    ar.WriteInt(font.lfHeight);
    ar.WriteInt(font.lfWidth);
    ar.WriteInt(font.lfWeight);
    ar.WriteByte(font.lfItalic);
    ar.WriteString(
        std::string_view(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName)));
}

namespace {
bool Within(CArchiveReader& ar, int32_t value, int32_t low, int32_t high, const char* what) {
    if (!ar.Ok()) return false;
    if (value >= low && value <= high) return true;
    ar.Fail(std::string("a font ") + what + " of " + std::to_string(value) + " (allowed " +
            std::to_string(low) + " to " + std::to_string(high) + ") before offset " +
            std::to_string(ar.Position()));
    return false;
}
} // namespace

bool ReadFontRecord(CArchiveReader& ar, LOGFONT& font) {
    std::string face;
    ar.ReadInt(font.lfHeight);
    if (!Within(ar, font.lfHeight, -kMaxFontPixels, kMaxFontPixels, "height")) return false;
    ar.ReadInt(font.lfWidth);
    if (!Within(ar, font.lfWidth, -kMaxFontPixels, kMaxFontPixels, "width")) return false;
    ar.ReadInt(font.lfWeight);
    if (!Within(ar, font.lfWeight, 0, kMaxFontWeight, "weight")) return false;
    ar.ReadByte(font.lfItalic);
    if (!ar.ReadString(face)) return false;
    const size_t kept = std::min(face.size(), sizeof font.lfFaceName - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), kept);
    return true;
}
