#include "CTriangle.h"

namespace {
constexpr unsigned kNameId = 81;
}

CTriangle::CTriangle() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CTriangle::~CTriangle() = default;

void CTriangle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(lowerShown);
    ar.WriteInt(upperShown);
    ar.WriteFloat(x4);
    ar.WriteFloat(y4);
    ar.WriteFloat(x3);
    ar.WriteFloat(y3);
    WriteBlock(ar, channelBlock);
    WriteBlock(ar, ownBlock);
}

bool CTriangle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(lowerShown);
    ar.ReadInt(upperShown);
    ar.ReadFloat(x4);
    ar.ReadFloat(y4);
    ar.ReadFloat(x3);
    ar.ReadFloat(y3);
    ReadBlock(ar, channelBlock);
    return ReadBlock(ar, ownBlock);
}
