#include "CSymbol.h"
#include <cstring>

CSymbol::CSymbol() {
    SetPeriod(kDefaultPeriod);
}

CSymbol::~CSymbol() = default;

int CSymbol::Period() const {
    int32_t period = 0;
    std::memcpy(&period, block1.data(), sizeof period);
    return period;
}

void CSymbol::SetPeriod(int period) {
    const int32_t stored = period;
    std::memcpy(block1.data(), &stored, sizeof stored);
}
