#include "CInstallPaths.h"
#include "ctlkit/base/ProgramFolder.h"
#include <filesystem>
#include <system_error>

CInstallPaths::CInstallPaths(std::string programFolder) : m_folder(std::move(programFolder)) {
    if (m_folder.empty() || m_folder.back() != '/') m_folder += '/';
}

CInstallPaths CInstallPaths::OfProgram() {
    return CInstallPaths(::ProgramFolder());
}

std::string CInstallPaths::SetupIni() const {
    return m_folder + "setup.ini";
}
std::string CInstallPaths::LanguageFolder() const {
    return m_folder + "Lng/";
}
std::string CInstallPaths::LanguageFile(const std::string& name) const {
    return LanguageFolder() + name;
}
std::string CInstallPaths::DefaultDataFolder() const {
    return m_folder + "Data/";
}
std::string CInstallPaths::TemplateFolder() const {
    return m_folder + "Template/";
}
std::string CInstallPaths::FavouritesFolder() const {
    return m_folder + "fav/";
}
std::string CInstallPaths::SystemFolder() const {
    return m_folder + "System/";
}
std::string CInstallPaths::DefaultTemplate() const {
    return SystemFolder() + "DTemp";
}
std::string CInstallPaths::IndexFolder() const {
    return m_folder + "Index/";
}
std::string CInstallPaths::MarketList() const {
    return IndexFolder() + "market.txt";
}
std::string CInstallPaths::HelpFile() const {
    return m_folder + "help.chm";
}
std::string CInstallPaths::HelpIndex() const {
    return m_folder + "help/index.html";
}
std::string CInstallPaths::DownloaderProgram() const {
    return m_folder + "quotefetch";
}
std::string CInstallPaths::DownloaderSelection() const {
    return SystemFolder() + "downloader.dat";
}
std::string CInstallPaths::DownloaderLock() const {
    return SystemFolder() + "quotefetch.lock";
}
std::string CInstallPaths::AdFolder() const {
    return m_folder + "Ad/";
}
std::string CInstallPaths::AdImagesFolder() const {
    return AdFolder() + "images/";
}

void CInstallPaths::CreateAdFolders() const {
    std::error_code ignored;
    std::filesystem::create_directories(AdImagesFolder(), ignored);
}
