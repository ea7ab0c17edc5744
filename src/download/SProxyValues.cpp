#include "SProxyValues.h"
#include "ctlkit/base/IniFile.h"
#include "ctlkit/http/CWebGrab.h"

void SProxyValues::ApplyTo(CWebGrab& grab) const {
    grab.SetProxy(server, static_cast<uint16_t>(ParseLeadingInt(port)), useProxy);
}
