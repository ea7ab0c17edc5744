#include "CCurve.h"

CCurve::CCurve() {
    typeCode = kTypeCode;
}

CCurve::~CCurve() = default;
