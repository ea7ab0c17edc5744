#include "StartUp.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/lang/CLanguage.h"
#include "settings/InstallPaths.h"
#include "settings/SetupSettings.h"

void ActivateConfiguredLanguage(CIniReader& setup) {
    std::string name = ReadLanguageName(setup);
    // A name that would leave the language folder is ignored like a missing file.
    if (!name.empty() && !IsSafePathPart(name)) name.clear();
    CLanguage::SetFile(InstallPaths::LanguageFile(name));
}
