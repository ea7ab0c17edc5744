#include "CTradeFlag.h"

CTradeFlag::CTradeFlag() {
    typeCode = kTypeCode;
}

CTradeFlag::CTradeFlag(const STradeFlagData& data) : CTradeFlag() {
    values = data.values;
    direction = data.direction;
    name = data.name;
    colour = data.colour;
    secondColour = data.secondColour;
    symbol = data.symbol;
}

CTradeFlag::~CTradeFlag() = default;
