#include "CArrow.h"

CArrow::CArrow() {
    typeCode = kTypeCode;
    name = "Arrow";
}

CArrow::~CArrow() = default;

void CArrow::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(headFlag);
    ar.WriteFloat(headFactor);
    ar.WriteInt(headLength);
    WriteBlock(ar, ownBlock);
}

bool CArrow::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(headFlag);
    ar.ReadFloat(headFactor);
    ar.ReadInt(headLength);
    return ReadBlock(ar, ownBlock);
}
