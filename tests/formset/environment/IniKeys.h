#pragma once
// setup.ini as a map of "SECTION/Key" to value, and what changed between two of them.
#include "TestFiles.h"
#include <map>
#include <string>

namespace ini_keys {

using Keys = std::map<std::string, std::string>;

inline Keys Parse(const std::string& text) {
    Keys keys;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            keys[section + "/" + line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return keys;
}

inline Keys Of(const std::string& path) {
    return Parse(ReadText(path));
}

// Every key whose value differs in `after` or that `after` added; a removed key as "<gone>".
inline Keys Changed(const Keys& before, const Keys& after) {
    Keys changed;
    for (const auto& [key, value] : after) {
        const auto old = before.find(key);
        if (old == before.end() || old->second != value) changed[key] = value;
    }
    for (const auto& [key, value] : before)
        if (!after.count(key)) changed[key] = "<gone>";
    return changed;
}

} // namespace ini_keys
