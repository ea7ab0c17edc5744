#include "DownloaderAbout.h"

// The same words as the chart program's About.
const char* const kDownloaderLicence = "GNU General Public License, version 3 or later";

std::vector<DownloaderAboutRow> DownloaderAboutRows(const SDownloaderAboutFacts& facts) {
    return {
        {"Version", facts.version},        {"Built", facts.buildDate},
        {"Licence", kDownloaderLicence},   {"Qt", facts.qtVersion},
        {"libcurl", facts.curlVersion},    {"Program folder", facts.programFolder},
        {"Settings file", facts.setupIni}, {"Selection file", facts.selection},
        {"Data folder", facts.dataFolder},
    };
}
