#pragma once
#include "settings/CInstallPaths.h"
#include <functional>
#include <string>
#include <vector>

// Starts `program` with `args` as a separate process without waiting for it; false when it
// could not be started. The windowed program passes one over the desktop's process API,
// tests a recording one.
using ProcessLauncher =
    std::function<bool(const std::string& program, const std::vector<std::string>& args)>;

// Starts the downloader program with no arguments. When it cannot be started, shows
// "The downloader <path> cannot be started." through the active prompter and returns false.
bool LaunchDownloader(const CInstallPaths& paths, const ProcessLauncher& launch);
