#pragma once
#include "formset/SFieldError.h"
#include <optional>
#include <string>
#include <vector>

class CMarketList;

// The markets offered by the "Update List" dialog, in market.txt order, each shown as
// "<full name> (<code>)" and checked or not. Start takes the checked codes in list order.
class CUpdateListChoice {
public:
    // The control that holds the check list; the refusal below names it.
    static constexpr unsigned kMarketsId = 1058;
    static constexpr const char* kMarketsField = "Markets";

    CUpdateListChoice() = default;
    explicit CUpdateListChoice(const CMarketList& markets);
    CUpdateListChoice(std::vector<std::string> codes, std::vector<std::string> fullNames);

    int Count() const { return static_cast<int>(m_codes.size()); }
    const std::string& Code(int index) const { return m_codes.at(index); }
    // "<full name> (<code>)"; the code alone when the full name is empty.
    std::string Label(int index) const;

    bool Checked(int index) const { return m_checked.at(index); }
    // An index outside the list changes nothing.
    void SetChecked(int index, bool checked);
    void SetAll(bool checked);

    // The checked codes in list order.
    std::vector<std::string> Chosen() const;
    // Refuses a start with no market checked, naming the field.
    std::optional<SFieldError> Validate() const;

private:
    std::vector<std::string> m_codes;
    std::vector<std::string> m_fullNames;
    std::vector<bool> m_checked;
};
