#include "InstallPaths.h"
#include "ctlkit/base/ProgramFolder.h"

namespace InstallPaths {
std::string SetupIni() {
    return SetupIniPath();
}
std::string LanguageFolder() {
    return ProgramFolder() + "Lng/";
}
std::string LanguageFile(const std::string& name) {
    return LanguageFolder() + name;
}
std::string DataFolder() {
    return ProgramFolder() + "Data/";
}
std::string MarketDataFolder(const std::string& market) {
    return DataFolder() + market + "/";
}
std::string TemplateFolder() {
    return ProgramFolder() + "Template/";
}
std::string FavouritesFolder() {
    return ProgramFolder() + "fav/";
}
std::string SystemFolder() {
    return ProgramFolder() + "System/";
}
std::string DefaultTemplate() {
    return SystemFolder() + "DTemp";
}
std::string IndexFolder() {
    return ProgramFolder() + "Index/";
}
std::string MarketList() {
    return IndexFolder() + "market.txt";
}
std::string HelpFile() {
    return ProgramFolder() + "help.chm";
}
} // namespace InstallPaths
