#pragma once
#include "download/CSymbolDatabase.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The symbols of one market as the stock name panel lists them: ordered and labelled by
// symbol, or by name, and searched as the user types.
class CSymbolList {
public:
    using SRecord = CSymbolDatabase::SRecord;

    // Takes the records of a database (file order) and orders them.
    void Assign(std::vector<SRecord> records);
    void Clear() { Assign({}); }
    // By name: ordered and labelled by the description, the symbol beside it.
    void SetByName(bool byName);
    bool ByName() const { return m_byName; }

    size_t Count() const { return m_rows.size(); }
    const SRecord& At(size_t row) const { return m_records[m_rows[row]]; }
    // The text the row is ordered and labelled by, and the one shown beside it.
    const std::string& Label(size_t row) const;
    const std::string& Other(size_t row) const;

    // The row the text stands for, letter case ignored: the symbol that equals it, else the
    // first (in the shown order) that begins with it, else the first whose name contains it.
    // None for an empty text or no match.
    std::optional<size_t> Find(std::string_view text) const;

private:
    void Order();

    std::vector<SRecord> m_records;
    // Upper-case copies for the search.
    std::vector<std::string> m_symbolKeys;
    std::vector<std::string> m_nameKeys;
    // Shown row → record.
    std::vector<size_t> m_rows;
    bool m_byName = false;
};
