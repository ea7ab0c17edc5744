#include "CSymbolList.h"
#include <algorithm>
#include <cctype>
#include <numeric>

namespace {
std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}
} // namespace

void CSymbolList::Assign(std::vector<SRecord> records) {
    m_records = std::move(records);
    m_symbolKeys.clear();
    m_nameKeys.clear();
    m_symbolKeys.reserve(m_records.size());
    m_nameKeys.reserve(m_records.size());
    for (const SRecord& record : m_records) {
        m_symbolKeys.push_back(Upper(record.symbol));
        m_nameKeys.push_back(Upper(record.description));
    }
    Order();
}

void CSymbolList::SetByName(bool byName) {
    if (byName == m_byName) return;
    m_byName = byName;
    Order();
}

void CSymbolList::Order() {
    m_rows.resize(m_records.size());
    std::iota(m_rows.begin(), m_rows.end(), size_t{0});
    // Stable, so that equal labels keep the file order; the other text breaks ties first.
    const auto& first = m_byName ? m_nameKeys : m_symbolKeys;
    const auto& second = m_byName ? m_symbolKeys : m_nameKeys;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](size_t a, size_t b) {
        if (int c = first[a].compare(first[b]); c != 0) return c < 0;
        return second[a] < second[b];
    });
}

const std::string& CSymbolList::Label(size_t row) const {
    const SRecord& record = At(row);
    return m_byName ? record.description : record.symbol;
}

const std::string& CSymbolList::Other(size_t row) const {
    const SRecord& record = At(row);
    return m_byName ? record.symbol : record.description;
}

std::optional<size_t> CSymbolList::Find(std::string_view text) const {
    if (text.empty()) return std::nullopt;
    const std::string key = Upper(text);
    std::optional<size_t> prefix;
    std::optional<size_t> name;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const std::string& symbol = m_symbolKeys[m_rows[row]];
        if (symbol.size() >= key.size() && symbol.compare(0, key.size(), key) == 0) {
            if (symbol.size() == key.size()) return row;
            if (!prefix) prefix = row;
        } else if (!prefix && !name && m_nameKeys[m_rows[row]].find(key) != std::string::npos) {
            name = row;
        }
    }
    return prefix ? prefix : name;
}
