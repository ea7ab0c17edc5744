#include "MainWindowTarget.h"
#include "ctlkit/base/Mutex.h"

namespace {
Mutex g_mutex;
std::shared_ptr<CMessageTarget> g_mainWindow ZS_GUARDED_BY(g_mutex);
} // namespace

void SetApplicationMainWindow(std::shared_ptr<CMessageTarget> window) {
    MutexLock lock(g_mutex);
    g_mainWindow = std::move(window);
}

std::shared_ptr<CMessageTarget> ApplicationMainWindow() {
    MutexLock lock(g_mutex);
    return g_mainWindow;
}
