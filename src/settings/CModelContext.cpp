#include "CModelContext.h"
#include "DataFolder.h"
#include <ctime>

CModelContext::CModelContext(CInstallPaths paths, CPrompter& prompter, Clock clock)
    : m_paths(std::move(paths)), m_settings(m_paths.SetupIni()), m_prompter(&prompter),
      m_clock(std::move(clock)) {}

std::string CModelContext::DataFolder() {
    return DataFolderOf(m_paths, m_settings);
}

CModelContext::Clock CModelContext::SystemClock() {
    return [] { return static_cast<int64_t>(std::time(nullptr)); };
}
