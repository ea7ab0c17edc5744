#include "WindowMessages.h"
#include "ctlkit/base/Mutex.h"
#include <map>

namespace {
Mutex g_registryMutex;
std::map<std::string, unsigned, std::less<>>& Registry() ZS_REQUIRES(g_registryMutex) {
    static std::map<std::string, unsigned, std::less<>> registry;
    return registry;
}

const unsigned g_refreshList = RegisterWindowMessage("REFRESH LIST");
} // namespace

unsigned RegisterWindowMessage(std::string_view name) {
    MutexLock lock(g_registryMutex);
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found != registry.end()) return found->second;
    unsigned number = 0xC000 + static_cast<unsigned>(registry.size());
    registry.emplace(std::string(name), number);
    return number;
}

unsigned RefreshListMessage() {
    return g_refreshList;
}
