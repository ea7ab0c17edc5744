#pragma once
#include "CSymbolDirectory.h"
#include "ctlkit/base/CFileResult.h"
#include <string>
#include <vector>

// The symbol database <market>.Dat: fixed 1024-byte records, nothing else. A record holds
// the symbol at offset 0 (16 bytes, zero-ended, at most 15 characters) and the description at
// offset 16 (1008 bytes, zero-ended); every other byte is zero.
class CSymbolDatabase {
public:
    struct SRecord {
        std::string symbol;
        std::string description;
    };

    static constexpr size_t kRecordSize = 1024;
    static constexpr size_t kSymbolSize = 16;
    static constexpr size_t kDescriptionSize = 1008;
    static constexpr const char* kListHeader = "Symbol\tDescription";
    static constexpr const char* kNoName = "Can not get Name.";

    // Reads the records of a database file; an unreadable file gives an empty list
    // (CannotOpen). A last record cut short is left out; text fields are read within their
    // size.
    CFileResult Load(const std::string& path);
    void Parse(const std::string& bytes);
    const std::vector<SRecord>& Records() const { return m_records; }
    // Hands the records over; none are left.
    std::vector<SRecord> TakeRecords() { return std::move(m_records); }
    // The description of the symbol, or "Can not get Name.".
    std::string LookupName(const std::string& symbol) const;

    // Turns a downloaded symbol list (first line beginning "Symbol\tDescription", then
    // symbol, tab, description; lines shorter than 4 characters or starting "<" skipped) into
    // database bytes; WrongType for a list without that header. A symbol directory
    // (CSymbolDirectory) is first turned into such a list; `counts` tells what went in and
    // what was left out.
    static CFileResult ConvertList(const std::string& listText, std::string& bytes,
                                   SSymbolListCounts* counts = nullptr);
    // System/<market> into System/<market>.Dat: the list is checked before the database is
    // touched, which is replaced as a whole. UnsafeName for a market code that cannot be a
    // file name, else the outcome of reading the list, converting it and writing the
    // database, the first failure ending it.
    static CFileResult ConvertMarketList(const std::string& systemFolder,
                                         const std::string& market,
                                         SSymbolListCounts* counts = nullptr);
    // One record, zero-filled, the symbol cut to 15 and the description to 1007 characters.
    static std::string MakeRecord(const std::string& symbol, const std::string& description);

private:
    std::vector<SRecord> m_records;
};

// The name of `symbol` from the first of `markets` whose database (in `systemFolder`) knows
// it, or "Can not get Name.". `market` gets the market it came from, when given.
std::string LookupSymbolName(const std::string& systemFolder,
                             const std::vector<std::string>& markets, const std::string& symbol,
                             std::string* market = nullptr);
