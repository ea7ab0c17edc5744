#include "CGChannel.h"

namespace {
constexpr unsigned kNameId = 70;
}

CGChannel::CGChannel() : CGChannel(kTypeCode, kNameId) {}

CGChannel::CGChannel(int code, unsigned nameId) {
    typeCode = code;
    SetTranslatedName(nameId);
}

CGChannel::~CGChannel() = default;

void CGChannel::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(lowerShown);
    ar.WriteInt(upperShown);
    ar.WriteFloat(x4);
    ar.WriteFloat(y4);
    ar.WriteFloat(x3);
    ar.WriteFloat(y3);
    WriteBlock(ar, ownBlock);
}

bool CGChannel::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadInt(lowerShown);
    ar.ReadInt(upperShown);
    ar.ReadFloat(x4);
    ar.ReadFloat(y4);
    ar.ReadFloat(x3);
    ar.ReadFloat(y3);
    return ReadBlock(ar, ownBlock);
}
