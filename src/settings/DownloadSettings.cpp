#include "DownloadSettings.h"
#include "SetupSettings.h"

namespace {
const char* const kDownload = "DOWNLOAD";

void ReadInto(CIniReader& ini, const char* key, std::string& value) {
    std::string stored = ini.getKeyValue(key, kDownload);
    if (!stored.empty()) value = stored;
}
} // namespace

SDownloadSettings SDownloadSettings::Read(CIniReader& ini) {
    SDownloadSettings s;
    ReadInto(ini, "QuoteServer", s.quoteServer);
    ReadInto(ini, "MarketListServer", s.marketListServer);
    ReadInto(ini, "ConnectCheck", s.connectCheck);
    ReadInto(ini, "HomePage", s.homePage);
    ReadInto(ini, "Forum", s.forum);
    ReadInto(ini, "RealTime", s.realTime);
    ProxySettings proxy = ProxySettings::Read(ini);
    s.useProxy = proxy.useProxy;
    s.proxyServer = proxy.proxyAdd;
    s.proxyPort = proxy.proxyPort;
    return s;
}
