#include "CEllipse.h"

namespace {
constexpr unsigned kNameId = 64;
}

CEllipse::CEllipse() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CEllipse::~CEllipse() = default;

void CEllipse::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CEllipse::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}
