#include "DownloaderLauncher.h"
#include "ctlkit/base/CPrompter.h"

bool LaunchDownloader(const CInstallPaths& paths, const ProcessLauncher& launch) {
    const std::string program = paths.DownloaderProgram();
    if (launch && launch(program, {})) return true;
    CPrompter::Active().ShowMessage("The downloader " + program + " cannot be started.");
    return false;
}
