#include "AboutFacts.h"
#include "FrameLinks.h"

const char* const kProgramLicence = "GNU General Public License, version 3 or later";

std::vector<AboutRow> AboutRows(const SAboutFacts& facts) {
    std::vector<AboutRow> rows = {
        {"Version", facts.version},
        {"Built", facts.buildDate},
        {"Licence", kProgramLicence},
        {"Qt", facts.qtVersion},
        {"libcurl", facts.curlVersion},
        {"Program folder", facts.programFolder},
        {"Settings file", facts.setupIni},
        {"User settings", facts.userStore},
    };
    if (IsWebAddress(facts.homePage)) rows.push_back({"Home page", facts.homePage});
    return rows;
}

std::string AboutSupportText(const SAboutFacts& facts) {
    std::string text = "ZentriStock\n";
    for (const auto& [label, value] : AboutRows(facts)) text += label + ": " + value + "\n";
    return text;
}
