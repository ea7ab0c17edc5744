#include "CCurve.h"

CCurve::~CCurve() = default;
