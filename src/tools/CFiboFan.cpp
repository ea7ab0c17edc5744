#include "CFiboFan.h"

namespace {
constexpr unsigned kNameId = 66;
}

CFiboFan::CFiboFan() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CFiboFan::~CFiboFan() = default;

void CFiboFan::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteFloat(ratio);
    for (int i : {2, 3, 1, 0}) {
        ar.WriteInt(fanPoints[i].x);
        ar.WriteInt(fanPoints[i].y);
    }
    WriteBlock(ar, ownBlock);
}

bool CFiboFan::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadFloat(ratio);
    for (int i : {2, 3, 1, 0}) {
        ar.ReadInt(fanPoints[i].x);
        ar.ReadInt(fanPoints[i].y);
    }
    return ReadBlock(ar, ownBlock);
}
