#include "CHorizontal.h"

namespace {
constexpr unsigned kNameId = 71;
}

CHorizontal::CHorizontal() {
    typeCode = kTypeCode;
    SetTranslatedName(kNameId);
}

CHorizontal::CHorizontal(float value) : CHorizontal() {
    SetValue(value);
}

void CHorizontal::SetValue(float value) {
    y1 = y2 = value;
}

CHorizontal::~CHorizontal() = default;

void CHorizontal::Write(CArchiveWriter& ar) const {
    CLine::Write(ar);
    WriteBlock(ar, ownBlock);
}

bool CHorizontal::Read(CArchiveReader& ar) {
    if (!CLine::Read(ar)) return false;
    return ReadBlock(ar, ownBlock);
}

void CHorizontal::SetPoint2(float x, float) {
    CLine::SetPoint2(x, y1);
}
