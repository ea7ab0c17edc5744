#include "CInstallPaths.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/ProgramFolder.h"
#include <filesystem>
#include <mutex>
#include <system_error>

namespace {
std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}
} // namespace

CInstallPaths::CInstallPaths(std::string programFolder)
    : m_folder(WithTrailingSlash(std::move(programFolder))), m_programs(m_folder) {}

CInstallPaths::CInstallPaths(std::string programFolder, std::string programsFolder)
    : m_folder(WithTrailingSlash(std::move(programFolder))),
      m_programs(WithTrailingSlash(std::move(programsFolder))) {}

CInstallPaths CInstallPaths::OfProgram() {
    CInstallPaths paths(::ProgramFolder(), ExecutableFolder());
    static std::once_flag told;
    std::call_once(told, [] {
        if (std::string problem = ProgramFolderProblem(); !problem.empty())
            CPrompter::Active().ShowMessage(problem);
    });
    return paths;
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
    return m_programs + "quotefetch";
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
