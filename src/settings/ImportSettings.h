#pragma once
#include "ctlkit/base/CFileResult.h"
#include "ctlkit/base/CIniReader.h"
#include <string>

// The import dialog's memory, in setup.ini section [ENVIORMENT]:
//   "OtherMarket"  the market name last typed in the import dialog
//   "ImportPath"   the folder last used for imports
// Both absent read as "". Written together when the import dialog closes, in one locked
// read-modify-write of the file (IniFileLock), so the other program's keys are kept.
struct SImportSettings {
    std::string otherMarket;
    std::string importPath;

    static SImportSettings Read(CIniReader& ini);
    CFileResult Write(CIniReader& ini) const;
};
