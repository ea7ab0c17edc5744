#pragma once
#include "CInstallPaths.h"
#include "ctlkit/base/CIniReader.h"
#include <cstdint>
#include <functional>

class CPrompter;

// What a chart's series and its document may reach outside themselves: the installation's
// paths, its settings file, the prompter that tells the user, and the clock. The program, the
// command-line tool and each test make one and hand it on; it outlives what it is handed to.
// The model objects read and write nothing when they are made or destroyed: loading and
// saving their settings are calls of their own, made when a chart is opened and closed.
class CModelContext {
public:
    using Clock = std::function<int64_t()>; // seconds since 1970

    CModelContext(CInstallPaths paths, CPrompter& prompter, Clock clock = SystemClock());
    CModelContext(const CModelContext&) = delete;
    CModelContext& operator=(const CModelContext&) = delete;

    const CInstallPaths& Paths() const { return m_paths; }
    // setup.ini of the installation.
    CIniReader& Settings() { return m_settings; }
    // The quote folder as setup.ini names it now (DataFolderOf), with a trailing "/".
    std::string DataFolder();
    CPrompter& Prompter() { return *m_prompter; }
    int64_t Now() const { return m_clock(); }

    static Clock SystemClock();

private:
    CInstallPaths m_paths;
    CIniReader m_settings;
    CPrompter* m_prompter;
    Clock m_clock;
};
