#include "CFiboRetrace.h"
#include "ToolFont.h"
#include "element/FontRecord.h"

namespace {
constexpr unsigned kNameId = 67;
}

CFiboRetrace::CFiboRetrace() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
    labelFont = DefaultToolFont();
}

CFiboRetrace::~CFiboRetrace() = default;

void CFiboRetrace::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(static_cast<int32_t>(labelColour));
    WriteFontRecord(ar, labelFont);
    ar.WriteInt(static_cast<int32_t>(levels.size()));
    for (const SLevel& level : levels) {
        ar.WriteInt(level.shown);
        ar.WriteFloat(level.ratio);
    }
    WriteBlock(ar, ownBlock);
}

bool CFiboRetrace::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    int32_t colour = 0;
    ar.ReadInt(colour);
    labelColour = static_cast<uint32_t>(colour);
    if (!ReadFontRecord(ar, labelFont)) return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, 8)) return false;
    levels.assign(static_cast<size_t>(count), SLevel{});
    for (SLevel& level : levels) {
        ar.ReadInt(level.shown);
        ar.ReadFloat(level.ratio);
    }
    return ReadBlock(ar, ownBlock);
}
