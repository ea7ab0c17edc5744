#include "StartUp.h"
#include "ctlkit/base/SafeName.h"
#include "ctlkit/lang/CLanguage.h"
#include "settings/SetupSettings.h"

void ActivateConfiguredLanguage(CModelContext& context) {
    std::string name = ReadLanguageName(context.Settings());
    // A name that would leave the language folder is ignored like a missing file.
    if (!name.empty() && !IsSafePathPart(name)) name.clear();
    CLanguage::SetFolder(context.Paths().LanguageFolder());
    CLanguage::SetFile(context.Paths().LanguageFile(name));
}
