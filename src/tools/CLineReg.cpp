#include "CLineReg.h"

namespace {
constexpr unsigned kNameId = 73;
}

CLineReg::CLineReg() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CLineReg::~CLineReg() = default;

void CLineReg::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteFloat(intercept);
    ar.WriteFloat(slope);
}

bool CLineReg::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    ar.ReadFloat(intercept);
    ar.ReadFloat(slope);
    return ar.Ok();
}
