#include "CHorizontal.h"

CHorizontal::CHorizontal() {
    typeCode = kTypeCode;
}

CHorizontal::CHorizontal(float value) : CHorizontal() {
    SetValue(value);
}

CHorizontal::~CHorizontal() = default;

void CHorizontal::SetValue(float value) {
    y1 = y2 = value;
}
