#include "CSEChannel.h"
#include <cmath>

constexpr unsigned kNameId = 75;

CSEChannel::CSEChannel() : CSDChannel(kTypeCode, kNameId) {}

float CSEChannel::Spread(float squares, int count) const {
    if (count < 1) return 0;
    return std::sqrt(squares / static_cast<float>(count));
}
