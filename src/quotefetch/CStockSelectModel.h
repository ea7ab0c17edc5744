#pragma once
#include "SSelectedStock.h"
#include "download/CSymbolDatabase.h"
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CMarketList;

// What the "Stock Select" dialog edits: the markets of market.txt, the symbols of the chosen
// market (its System/<market>.Dat) narrowed by a filter, and the selection being built. The
// dialog's OK hands Selected() to CStockSelection::Assign; nothing else is written.
class CStockSelectModel {
public:
    // The symbols of one market's database; an unreadable database gives none.
    using SymbolSource = std::function<std::vector<CSymbolDatabase::SRecord>(const std::string&)>;

    // A source reading <systemFolder><market>.Dat.
    static SymbolSource DatabaseSource(std::string systemFolder);

    CStockSelectModel() = default;
    CStockSelectModel(std::vector<std::string> codes, std::vector<std::string> fullNames,
                      std::vector<SSelectedStock> selected, SymbolSource source);
    CStockSelectModel(const CMarketList& markets, std::vector<SSelectedStock> selected,
                      SymbolSource source);

    // --- markets
    int MarketCount() const { return static_cast<int>(m_codes.size()); }
    const std::string& MarketCode(int index) const { return m_codes.at(index); }
    // "<code> - <full name>", the code alone without a full name.
    std::string MarketLabel(int index) const;
    // -1 while no market is chosen (an empty market list).
    int Market() const { return m_market; }
    // Chooses the market and reads its symbols; an index outside the list changes nothing.
    void SetMarket(int index);
    // The market that lists `code`, else -1.
    int MarketIndexOf(const std::string& code) const;

    // --- available symbols of the chosen market, as the filter shows them
    // Case-insensitive; a symbol or a name that contains the text passes; "" shows all.
    void SetFilter(std::string filter);
    const std::string& Filter() const { return m_filter; }
    // The rows shown: positions in the market's symbols, in database order.
    const std::vector<size_t>& Shown() const { return m_shown; }
    size_t ShownCount() const { return m_shown.size(); }
    const CSymbolDatabase::SRecord& ShownSymbol(size_t row) const;
    size_t SymbolCount() const { return m_symbols.size(); }
    // Under the symbols: "<n> symbols", "<shown> of <n> symbols" while a filter is set, or,
    // for a market without a symbol database, how to get one (translated, "Text" keys
    // "SymbolCount", "SymbolsShown", "NoSymbolList").
    std::string AvailableText() const;

    // --- the selection
    const std::vector<SSelectedStock>& Selected() const { return m_selected; }
    // The name of a selected record from its market's database, else "Can not get Name.".
    std::string NameOf(const SSelectedStock& stock) const;

    enum class EChange { NothingMarked, Unchanged, Changed };
    // Appends the shown rows marked (rows of Shown()), in list order, leaving out records
    // already selected. Rows outside the list are ignored.
    EChange Add(const std::vector<size_t>& shownRows);
    // Appends every shown row.
    EChange AddAll();
    // Removes the selected rows marked (positions in Selected()).
    EChange Remove(const std::vector<size_t>& selectedRows);
    // Empties the selection.
    EChange RemoveAll();

private:
    void Refilter();
    using NameIndex = std::unordered_map<std::string, std::string>; // symbol → name
    static NameIndex IndexNames(const std::vector<CSymbolDatabase::SRecord>& records);
    const NameIndex& NamesOf(const std::string& market) const;

    std::vector<std::string> m_codes;
    std::vector<std::string> m_fullNames;
    SymbolSource m_source;
    int m_market = -1;
    std::vector<CSymbolDatabase::SRecord> m_symbols;
    std::string m_filter;
    std::vector<size_t> m_shown;
    std::vector<SSelectedStock> m_selected;
    // The names of the databases read, by market, for the selected records.
    mutable std::map<std::string, NameIndex> m_names;
};
