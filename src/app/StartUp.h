#pragma once
#include "settings/CModelContext.h"

// The first start-up step: the language file that setup.ini names under [ENVIORMENT] "Lng"
// becomes the active one. With no name the language folder itself is set, which reads as no
// file, so the user interface stays untranslated. The language folder becomes the one whose
// files stored translated texts are compared with.
void ActivateConfiguredLanguage(CModelContext& context);
