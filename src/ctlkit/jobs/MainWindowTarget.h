#pragma once
#include "CMessageTarget.h"
#include <memory>

// The application's main window, to which every job queue posts "REFRESH LIST". None until
// the program installs one.
void SetApplicationMainWindow(std::shared_ptr<CMessageTarget> window);
std::shared_ptr<CMessageTarget> ApplicationMainWindow();
