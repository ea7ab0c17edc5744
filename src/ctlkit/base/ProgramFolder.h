#pragma once
#include <string>

// The program folder, always ending in "/": the environment variable ZENTRISTOCK_HOME when
// it is set and not empty, else the folder of the running executable.
std::string ProgramFolder();

// The file name of the running executable, without its folder.
std::string ExecutableName();
