#include "CGannFan.h"

namespace {
constexpr unsigned kNameId = 69;
}

CGannFan::CGannFan() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CGannFan::~CGannFan() = default;

void CGannFan::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    for (const SPoint& point : endPoints) {
        ar.WriteInt(point.x);
        ar.WriteInt(point.y);
    }
    WriteBlock(ar, ownBlock);
}

bool CGannFan::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    for (SPoint& point : endPoints) {
        ar.ReadInt(point.x);
        ar.ReadInt(point.y);
    }
    return ReadBlock(ar, ownBlock);
}
