#pragma once
#include <string>

// Every installation path is formed from the program folder (ProgramFolder(), ending in
// "/"). Each accessor returns a new string; folders end in "/".
namespace InstallPaths {
std::string SetupIni();                            // the settings file shared with quotefetch
std::string LanguageFolder();                      // language files
std::string LanguageFile(const std::string& name); // a file of the language folder
std::string DataFolder();                          // quote files, one sub-folder per market
std::string MarketDataFolder(const std::string& market);
std::string TemplateFolder();   // chart templates (*.tmp)
std::string FavouritesFolder(); // favourite lists
std::string SystemFolder();     // default template, downloaded market lists
std::string DefaultTemplate();  // System/DTemp
std::string IndexFolder();
std::string MarketList(); // Index/market.txt
std::string HelpFile();   // help.chm, opened with the desktop's viewer
} // namespace InstallPaths
