#include "WindowMessages.h"
#include <map>
#include <mutex>

namespace {
std::mutex g_registryMutex;
std::map<std::string, unsigned, std::less<>>& Registry() {
    static std::map<std::string, unsigned, std::less<>> registry; // guarded by g_registryMutex
    return registry;
}

const unsigned g_refreshList = RegisterWindowMessage("REFRESH LIST");
} // namespace

unsigned RegisterWindowMessage(std::string_view name) {
    std::lock_guard<std::mutex> lock(g_registryMutex);
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
