#include "CLine.h"

CLine::CLine() {
    typeCode = kTypeCode;
}

CLine::~CLine() = default;
