#include "FetchSettings.h"
#include "DataFolder.h"
#include "DownloadSettings.h"
#include "SetupSettings.h"

SFetchSettings SFetchSettings::Read(const CInstallPaths& paths, CIniReader& ini) {
    SFetchSettings settings;
    settings.dataFolder = DataFolderOf(paths, ini);
    settings.languageName = ReadLanguageName(ini);
    const SDownloadSettings download = SDownloadSettings::Read(ini);
    settings.quoteServer = download.quoteServer;
    settings.useProxy = download.useProxy;
    settings.proxyServer = download.proxyServer;
    settings.proxyPort = download.proxyPort;
    return settings;
}
