#pragma once
#include <string>
#include <string_view>

// The section of a language file that holds the texts of one dialog or menu: its resource
// identifier written in unsigned decimal ("%u"), or its name, cut to 31 characters.
class CLangSection {
public:
    CLangSection(unsigned id) : m_name(std::to_string(id)) {}
    CLangSection(int id) : CLangSection(static_cast<unsigned>(id)) {}
    CLangSection(std::string_view name) : m_name(name.substr(0, kMaxName)) {}
    CLangSection(const char* name) : CLangSection(std::string_view(name ? name : "")) {}
    CLangSection(const std::string& name) : CLangSection(std::string_view(name)) {}

    const std::string& Name() const { return m_name; }

    static constexpr size_t kMaxName = 31;

private:
    std::string m_name;
};
