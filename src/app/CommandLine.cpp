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
// A whole number of milliseconds from 0 to one hour.
bool ReadMilliseconds(const std::string& text, int& ms) {
    if (text.empty() || text.size() > 7 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    ms = std::stoi(text);
    return ms <= 3600000;
}

// The value of a test switch at args[i + 1]; false (and a line in `errors`) when it is missing.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value,
               std::vector<std::string>& errors) {
    if (i + 1 >= args.size()) {
        errors.push_back(args[i] + " wants a value");
        return false;
    }
    value = args[++i];
    return true;
}
} // namespace

bool CommandLine::TakeTestSwitch(const std::vector<std::string>& args, size_t& i) {
    const std::string& arg = args[i];
    std::string value;
    if (EqualsNoCase(arg, "--command")) {
        if (TakeValue(args, i, value, errors)) commands.push_back(value);
    } else if (EqualsNoCase(arg, "--grab")) {
        if (TakeValue(args, i, value, errors)) grabFile = value;
    } else if (EqualsNoCase(arg, "--no-splash")) {
        noSplash = true;
    } else if (EqualsNoCase(arg, "--grab-after")) {
        int ms = 0;
        if (!TakeValue(args, i, value, errors)) return true;
        if (ReadMilliseconds(value, ms))
            grabAfterMs = ms;
        else
            errors.push_back("--grab-after wants milliseconds from 0 to 3600000, not \"" + value +
                             "\"");
    } else {
        return false;
    }
    return true;
}

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine result;
    bool registration = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (result.TakeTestSwitch(args, i)) continue;
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
            } else {
                result.errors.push_back("unknown switch " + arg + " ignored");
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
