#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

// The arguments of one subcommand: positional words and "--name value" options (an option
// may be given more than once). Flags are options without a value.
class CliArgs {
public:
    // `flags` names the options that take no value.
    CliArgs(const std::vector<std::string>& words, const std::vector<std::string>& flags);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& name) const { return m_options.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
    // The option as a whole number within [min, max]; an error text when it is not one.
    std::optional<long> Number(const std::string& name, long min, long max,
                               std::string& error) const;

private:
    std::vector<std::string> m_positional;
    std::multimap<std::string, std::string> m_options;
    std::string m_error;
};
