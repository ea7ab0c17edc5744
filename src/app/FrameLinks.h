#pragma once
#include "settings/CInstallPaths.h"
#include "settings/DownloadSettings.h"
#include <string>

// What one of the frame's web or help commands opens: `target` is empty when there is
// nothing to open, and `reason` then says why (empty when the command has no address).
struct SFrameLink {
    std::string target;
    std::string reason;
};

// The web address of the home page, forum or real-time market command, from [DOWNLOAD].
// In the real-time address every "%s" becomes the URL-encoded `symbol`. Only "http://" and
// "https://" addresses (any letter case, with something after "//") are opened.
SFrameLink WebLink(unsigned command, const SDownloadSettings& settings, const std::string& symbol);

// True for an "http://" or "https://" address (any letter case) with something after "//".
bool IsWebAddress(const std::string& address);

// False for a web command whose address is empty; every other command is shown.
bool IsShown(unsigned command, const SDownloadSettings& settings);

// The help page to open, or the message "The help file <path> cannot be found.".
SFrameLink HelpLink(const CInstallPaths& paths);
