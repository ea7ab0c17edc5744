#include "ImportSettings.h"

namespace {
const char* const kSection = "ENVIORMENT";
}

SImportSettings SImportSettings::Read(CIniReader& ini) {
    SImportSettings settings;
    settings.otherMarket = ini.getKeyValue("OtherMarket", kSection);
    settings.importPath = ini.getKeyValue("ImportPath", kSection);
    return settings;
}

CFileResult SImportSettings::Write(CIniReader& ini) const {
    return ini.Write({{"OtherMarket", otherMarket}, {"ImportPath", importPath}}, kSection);
}
