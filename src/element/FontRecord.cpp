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

bool ReadFontRecord(CArchiveReader& ar, LOGFONT& font) {
    std::string face;
    ar.ReadInt(font.lfHeight);
    ar.ReadInt(font.lfWidth);
    ar.ReadInt(font.lfWeight);
    ar.ReadByte(font.lfItalic);
    if (!ar.ReadString(face)) return false;
    const size_t kept = std::min(face.size(), sizeof font.lfFaceName - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), kept);
    return true;
}
