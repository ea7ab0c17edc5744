#include "CSEChannel.h"

namespace {
constexpr unsigned kNameId = 75;
}

CSEChannel::CSEChannel() : CSDChannel(kTypeCode, kNameId) {}

CSEChannel::~CSEChannel() = default;
