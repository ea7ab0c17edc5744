#include "CCycle.h"

namespace {
constexpr unsigned kNameId = 63;
}

CCycle::CCycle() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CCycle::~CCycle() = default;

void CCycle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(cycleCount);
    WriteBlock(ar, ownBlock);
}

bool CCycle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    if (!ar.ReadInt(cycleCount) || !CheckRange(ar, cycleCount, 1, kMaxCycles, "cycle count"))
        return false;
    return ReadBlock(ar, ownBlock);
}
