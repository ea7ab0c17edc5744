#pragma once
#include "CInstallPaths.h"
#include "ctlkit/base/CIniReader.h"
#include <string>

// What the downloader reads from setup.ini when a run starts: the quote folder it shares
// with the chart program (DataFolderOf), the language file [ENVIORMENT] "Lng", the quote
// service [DOWNLOAD] "QuoteServer" and the proxy [PROXY] "UseProxy", "ProxyAdd",
// "ProxyPort" as SDownloadSettings reads them. setup.ini is always replaced by rename under
// its advisory lock, so a read sees either the whole old or the whole new file.
struct SFetchSettings {
    std::string dataFolder; // with a trailing "/"
    std::string languageName;
    std::string quoteServer;
    bool useProxy = false;
    std::string proxyServer;
    std::string proxyPort;

    static SFetchSettings Read(const CInstallPaths& paths, CIniReader& ini);
};
