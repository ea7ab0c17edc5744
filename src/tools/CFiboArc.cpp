#include "CFiboArc.h"

namespace {
constexpr unsigned kNameId = 65;
}

CFiboArc::CFiboArc() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CFiboArc::~CFiboArc() = default;

void CFiboArc::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteFloat(ratio);
    WriteBlock(ar, ownBlock);
}

bool CFiboArc::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadFloat(ratio);
    return ReadBlock(ar, ownBlock);
}
