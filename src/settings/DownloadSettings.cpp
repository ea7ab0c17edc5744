#include "DownloadSettings.h"
#include "SetupSettings.h"
#include <cctype>
#include <string_view>

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
    if (const auto* lines = ini.getSectionData(kDownload)) {
        constexpr std::string_view kPrefix = "marketlist_";
        for (const std::string& line : *lines) {
            const std::string key = line.substr(0, line.find('='));
            if (key.size() <= kPrefix.size()) continue;
            std::string lower = key.substr(0, kPrefix.size()), code = key.substr(kPrefix.size());
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (lower != kPrefix) continue;
            if (std::string value = ini.getKeyValue(key, kDownload); !value.empty())
                s.marketLists[code] = value;
        }
    }
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
