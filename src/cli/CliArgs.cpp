#include "CliArgs.h"
#include <algorithm>
#include <charconv>

CliArgs::CliArgs(const std::vector<std::string>& words, const std::vector<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            std::string name = w.substr(2);
            if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
                m_options.emplace(name, "");
            } else if (i + 1 < words.size()) {
                m_options.emplace(name, words[++i]);
            } else {
                m_error = "option --" + name + " needs a value";
                return;
            }
        } else {
            m_positional.push_back(w);
        }
    }
}

std::optional<std::string> CliArgs::Value(const std::string& name) const {
    auto it = m_options.find(name);
    if (it == m_options.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> CliArgs::Values(const std::string& name) const {
    std::vector<std::string> values;
    auto [first, last] = m_options.equal_range(name);
    for (auto it = first; it != last; ++it) values.push_back(it->second);
    return values;
}

std::optional<long> CliArgs::Number(const std::string& name, long min, long max,
                                    std::string& error) const {
    auto text = Value(name);
    if (!text) return std::nullopt;
    long value = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size() || value < min || value > max) {
        error = "--" + name + " wants a whole number from " + std::to_string(min) + " to " +
                std::to_string(max) + ", not \"" + *text + "\"";
        return std::nullopt;
    }
    return value;
}
