#include "CUpdateListChoice.h"
#include "download/CMarketList.h"

CUpdateListChoice::CUpdateListChoice(const CMarketList& markets)
    : CUpdateListChoice(markets.Codes(), markets.FullNames()) {}

CUpdateListChoice::CUpdateListChoice(std::vector<std::string> codes,
                                     std::vector<std::string> fullNames)
    : m_codes(std::move(codes)), m_fullNames(std::move(fullNames)) {
    m_fullNames.resize(m_codes.size());
    m_checked.assign(m_codes.size(), false);
}

std::string CUpdateListChoice::Label(int index) const {
    const std::string& name = m_fullNames.at(index);
    const std::string& code = m_codes.at(index);
    return name.empty() ? code : name + " (" + code + ")";
}

void CUpdateListChoice::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count()) return;
    m_checked[index] = checked;
}

void CUpdateListChoice::SetAll(bool checked) {
    m_checked.assign(m_codes.size(), checked);
}

std::vector<std::string> CUpdateListChoice::Chosen() const {
    std::vector<std::string> chosen;
    for (int i = 0; i < Count(); ++i)
        if (m_checked[i]) chosen.push_back(m_codes[i]);
    return chosen;
}

std::optional<SFieldError> CUpdateListChoice::Validate() const {
    if (!Chosen().empty()) return std::nullopt;
    return SFieldError::Make(kMarketsId, kMarketsField, "ChooseMarket",
                             "%s: please choose at least one market.");
}
