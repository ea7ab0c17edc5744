#include "CIco.h"

namespace {
constexpr unsigned kNameId = 72;
}

CIco::CIco() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CIco::~CIco() = default;

void CIco::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    ar.WriteInt(iconNumber);
}

bool CIco::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    if (!ar.ReadInt(iconNumber) || !CheckRange(ar, iconNumber, 0, kIconCount - 1, "icon number"))
        return false;
    return ar.Ok();
}
