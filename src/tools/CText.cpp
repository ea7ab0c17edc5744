#include "CText.h"
#include "ToolFont.h"
#include "element/FontRecord.h"

CText::CText() {
    typeCode = kTypeCode;
    name = "Text";
    font = DefaultToolFont();
}

CText::~CText() = default;

void CText::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(static_cast<int32_t>(textColour));
    ar.WriteString(text);
    WriteFontRecord(ar, font);
    WriteBlock(ar, ownBlock);
}

bool CText::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    int32_t colour = 0;
    ar.ReadInt(colour);
    textColour = static_cast<uint32_t>(colour);
    ar.ReadString(text);
    if (!ReadFontRecord(ar, font)) return false;
    return ReadBlock(ar, ownBlock);
}
