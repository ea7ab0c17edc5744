#include "CVertical.h"

namespace {
constexpr unsigned kNameId = 82;
}

CVertical::CVertical() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CVertical::~CVertical() = default;

void CVertical::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CVertical::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}
