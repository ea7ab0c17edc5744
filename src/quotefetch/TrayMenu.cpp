#include "TrayMenu.h"

const CMenuTable& DownloaderTrayMenu() {
    static const CMenuTable menu = {
        SMenuItem::Command(kTrayRestore, "&Restore"),
        SMenuItem::Command(kTrayStop, "S&top"),
        SMenuItem::Command(kTrayStart, "&Start"),
        SMenuItem::Separator(),
        SMenuItem::Command(kTrayClose, "&Close"),
        SMenuItem::Command(kTrayAbout, "&About Downloader..."),
    };
    return menu;
}
