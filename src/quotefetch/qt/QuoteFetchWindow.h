#pragma once

// The downloader with its window, over the installation of the program folder: its
// settings, language, market list and selection file, the main dialog and the tray. Returns
// the program's exit status.
int RunQuoteFetchWindow(int argc, char** argv);
