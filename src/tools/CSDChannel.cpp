#include "CSDChannel.h"

namespace {
constexpr unsigned kNameId = 74;
}

CSDChannel::CSDChannel() : CSDChannel(kTypeCode, kNameId) {}

CSDChannel::CSDChannel(int code, unsigned nameId) : CGChannel(code, nameId) {}

CSDChannel::~CSDChannel() = default;
