#include "CRectangle.h"

CRectangle::CRectangle() {
    typeCode = kTypeCode;
    name = "Rectangle";
}

CRectangle::~CRectangle() = default;

void CRectangle::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
}

bool CRectangle::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ar.Ok();
}
