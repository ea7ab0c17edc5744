#include "CStockSelectModel.h"
#include "ctlkit/lang/CLanguage.h"
#include "download/CMarketList.h"
#include "formset/SFieldError.h"
#include <algorithm>
#include <set>
#include <utility>

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool Contains(const std::string& text, const std::string& lowerNeedle) {
    return Lower(text).find(lowerNeedle) != std::string::npos;
}

} // namespace

CStockSelectModel::SymbolSource CStockSelectModel::DatabaseSource(std::string systemFolder) {
    return [folder = std::move(systemFolder)](const std::string& market) {
        CSymbolDatabase database;
        (void)database.Load(folder + market + ".Dat");
        return database.TakeRecords();
    };
}

CStockSelectModel::CStockSelectModel(std::vector<std::string> codes,
                                     std::vector<std::string> fullNames,
                                     std::vector<SSelectedStock> selected, SymbolSource source)
    : m_codes(std::move(codes)), m_fullNames(std::move(fullNames)), m_source(std::move(source)),
      m_selected(std::move(selected)) {
    m_fullNames.resize(m_codes.size());
    // The market of the first selected record, so the user sees where the selection stands.
    int first = m_selected.empty() ? -1 : MarketIndexOf(m_selected.front().market);
    SetMarket(first >= 0 ? first : 0);
}

CStockSelectModel::CStockSelectModel(const CMarketList& markets,
                                     std::vector<SSelectedStock> selected, SymbolSource source)
    : CStockSelectModel(markets.Codes(), markets.FullNames(), std::move(selected),
                        std::move(source)) {}

std::string CStockSelectModel::MarketLabel(int index) const {
    const std::string& code = m_codes.at(index);
    const std::string& name = m_fullNames.at(index);
    return name.empty() ? code : code + " - " + name;
}

void CStockSelectModel::SetMarket(int index) {
    if (index < 0 || index >= MarketCount()) return;
    m_market = index;
    m_symbols = m_source ? m_source(m_codes[index]) : std::vector<CSymbolDatabase::SRecord>{};
    m_names[m_codes[index]] = IndexNames(m_symbols);
    Refilter();
}

int CStockSelectModel::MarketIndexOf(const std::string& code) const {
    auto it = std::find(m_codes.begin(), m_codes.end(), code);
    return it == m_codes.end() ? -1 : static_cast<int>(it - m_codes.begin());
}

void CStockSelectModel::SetFilter(std::string filter) {
    m_filter = std::move(filter);
    Refilter();
}

void CStockSelectModel::Refilter() {
    m_shown.clear();
    const std::string needle = Lower(m_filter);
    for (size_t i = 0; i < m_symbols.size(); ++i) {
        const CSymbolDatabase::SRecord& record = m_symbols[i];
        if (needle.empty() || Contains(record.symbol, needle) ||
            Contains(record.description, needle))
            m_shown.push_back(i);
    }
}

std::string CStockSelectModel::AvailableText() const {
    if (m_market < 0) return {};
    if (m_symbols.empty())
        return CLanguage::TranslateText(
            "NoSymbolList", "No symbol list for this market: use Update List in ZentriStock.");
    const std::string all = std::to_string(m_symbols.size());
    if (m_filter.empty())
        return FillPlaceholders(CLanguage::TranslateText("SymbolCount", "%1 symbols"),
                                {{"%1", all}});
    return FillPlaceholders(CLanguage::TranslateText("SymbolsShown", "%1 of %2 symbols"),
                            {{"%1", std::to_string(m_shown.size())}, {"%2", all}});
}

const CSymbolDatabase::SRecord& CStockSelectModel::ShownSymbol(size_t row) const {
    return m_symbols.at(m_shown.at(row));
}

CStockSelectModel::NameIndex
CStockSelectModel::IndexNames(const std::vector<CSymbolDatabase::SRecord>& records) {
    NameIndex names;
    // The first record of a symbol names it, as a lookup from the start of the file would.
    for (const CSymbolDatabase::SRecord& record : records)
        names.emplace(record.symbol, record.description);
    return names;
}

const CStockSelectModel::NameIndex& CStockSelectModel::NamesOf(const std::string& market) const {
    auto it = m_names.find(market);
    if (it == m_names.end()) {
        NameIndex names;
        if (m_source && MarketIndexOf(market) >= 0) names = IndexNames(m_source(market));
        it = m_names.emplace(market, std::move(names)).first;
    }
    return it->second;
}

std::string CStockSelectModel::NameOf(const SSelectedStock& stock) const {
    const NameIndex& names = NamesOf(stock.market);
    auto it = names.find(stock.symbol);
    return it == names.end() ? std::string(CSymbolDatabase::kNoName) : it->second;
}

CStockSelectModel::EChange CStockSelectModel::Add(const std::vector<size_t>& shownRows) {
    if (shownRows.empty()) return EChange::NothingMarked;
    if (m_market < 0) return EChange::Unchanged;
    std::vector<size_t> rows = shownRows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const std::string& market = m_codes[m_market];
    std::set<std::string> present;
    for (const SSelectedStock& stock : m_selected)
        if (stock.market == market) present.insert(stock.symbol);
    bool changed = false;
    for (size_t row : rows) {
        if (row >= m_shown.size()) continue;
        const std::string& symbol = m_symbols[m_shown[row]].symbol;
        if (!present.insert(symbol).second) continue;
        m_selected.push_back({market, symbol});
        changed = true;
    }
    return changed ? EChange::Changed : EChange::Unchanged;
}

CStockSelectModel::EChange CStockSelectModel::AddAll() {
    std::vector<size_t> rows(m_shown.size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    if (rows.empty()) return EChange::Unchanged;
    return Add(rows);
}

CStockSelectModel::EChange CStockSelectModel::Remove(const std::vector<size_t>& selectedRows) {
    if (selectedRows.empty()) return EChange::NothingMarked;
    std::vector<bool> drop(m_selected.size(), false);
    bool changed = false;
    for (size_t row : selectedRows) {
        if (row < drop.size() && !drop[row]) {
            drop[row] = true;
            changed = true;
        }
    }
    if (!changed) return EChange::Unchanged;
    std::vector<SSelectedStock> kept;
    for (size_t i = 0; i < m_selected.size(); ++i)
        if (!drop[i]) kept.push_back(std::move(m_selected[i]));
    m_selected = std::move(kept);
    return EChange::Changed;
}

CStockSelectModel::EChange CStockSelectModel::RemoveAll() {
    if (m_selected.empty()) return EChange::Unchanged;
    m_selected.clear();
    return EChange::Changed;
}
