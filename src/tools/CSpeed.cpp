#include "CSpeed.h"

namespace {
constexpr unsigned kNameId = 76;
}

CSpeed::CSpeed() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CSpeed::~CSpeed() = default;

void CSpeed::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    for (int i : {2, 1, 0}) {
        ar.WriteInt(endPoints[i].x);
        ar.WriteInt(endPoints[i].y);
    }
    WriteBlock(ar, ownBlock);
}

bool CSpeed::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    for (int i : {2, 1, 0}) {
        ar.ReadInt(endPoints[i].x);
        ar.ReadInt(endPoints[i].y);
    }
    return ReadBlock(ar, ownBlock);
}
