#include "CommandLine.h"
#include <strings.h>

namespace {
bool EqualsNoCase(const std::string& a, const char* b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

// An absolute Unix path starts with "/" too; only the known switch words count as switches
// after a slash, so "/home/user/chart.cht" stays a file.
bool IsKnownSwitchWord(const std::string& word) {
    for (const char* known : {"RegServer", "UnregServer", "Embedding", "Automation"})
        if (EqualsNoCase(word, known)) return true;
    return false;
}
} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine result;
    bool registration = false;
    for (const std::string& arg : args) {
        bool dash = arg.size() > 1 && arg[0] == '-';
        bool slash = arg.size() > 1 && arg[0] == '/' && IsKnownSwitchWord(arg.substr(1));
        if (dash || slash) {
            std::string word = arg.substr(1);
            if (EqualsNoCase(word, "RegServer")) {
                result.action = Action::RegServer;
                registration = true;
            } else if (EqualsNoCase(word, "UnregServer")) {
                result.action = Action::UnregServer;
                registration = true;
            } else if (EqualsNoCase(word, "Embedding") || EqualsNoCase(word, "Automation")) {
                result.embedded = true;
            }
            continue;
        }
        if (!registration && result.file.empty()) {
            result.file = arg;
            result.action = Action::OpenFile;
        }
    }
    if (registration) result.file.clear();
    return result;
}
