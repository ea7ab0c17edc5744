#include "SProxyValues.h"
#include "ctlkit/CWebGrab.h"
#include "ctlkit/IniFile.h"

void SProxyValues::ApplyTo(CWebGrab& grab) const {
    grab.SetProxy(server, static_cast<uint16_t>(ParseLeadingInt(port)), useProxy);
}
