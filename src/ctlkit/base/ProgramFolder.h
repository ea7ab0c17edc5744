#pragma once
#include <string>

// The program folder, always ending in "/": the environment variable ZENTRISTOCK_HOME when
// it is set and not empty, else the folder of the running executable when it can be written
// to, else the user's own home (WritableHome.h), filled from that folder on the first start.
std::string ProgramFolder();

// Why the user's own home could not be made, once per run; empty when ProgramFolder() is
// what it should be.
std::string ProgramFolderProblem();

// The folder of the running executable, ending in "/": where the programs are.
std::string ExecutableFolder();

// The file name of the running executable, without its folder.
std::string ExecutableName();
