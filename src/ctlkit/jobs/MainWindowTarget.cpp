#include "MainWindowTarget.h"
#include <mutex>

namespace {
std::mutex g_mutex;
std::shared_ptr<CMessageTarget> g_mainWindow; // guarded by g_mutex
} // namespace

void SetApplicationMainWindow(std::shared_ptr<CMessageTarget> window) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_mainWindow = std::move(window);
}

std::shared_ptr<CMessageTarget> ApplicationMainWindow() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_mainWindow;
}
