#include "CGannLine.h"

namespace {
constexpr unsigned kNameId = 85;
}

CGannLine::CGannLine() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CGannLine::~CGannLine() = default;

void CGannLine::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CGannLine::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}
