#include "CSymbolDatabase.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CStringFile.h"
#include "ctlkit/base/SafeName.h"
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {
// A zero-ended text of a fixed-size field; a field without a zero ends at its size.
std::string FieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}
} // namespace

CFileResult CSymbolDatabase::Load(const std::string& path) {
    m_records.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::string bytes;
        return ReadWholeFile(path, bytes);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string bytes;
        return ReadWholeFile(path, bytes);
    }
    // A database of a large market is a hundred megabytes of mostly zero bytes: read it in
    // pieces of whole records rather than at once.
    const auto length = std::filesystem::file_size(path, error);
    if (!error) m_records.reserve(static_cast<size_t>(length / kRecordSize));
    std::vector<char> piece(256 * kRecordSize);
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const size_t got = static_cast<size_t>(in.gcount());
        for (size_t at = 0; at + kRecordSize <= got; at += kRecordSize) {
            const char* record = piece.data() + at;
            m_records.push_back({FieldText(record, kSymbolSize),
                                 FieldText(record + kSymbolSize, kDescriptionSize)});
        }
    }
    if (in.bad()) {
        m_records.clear();
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, "cannot read " + path);
    }
    return {};
}

void CSymbolDatabase::Parse(const std::string& bytes) {
    m_records.clear();
    m_records.reserve(bytes.size() / kRecordSize);
    for (size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const char* record = bytes.data() + at;
        m_records.push_back(
            {FieldText(record, kSymbolSize), FieldText(record + kSymbolSize, kDescriptionSize)});
    }
}

std::string CSymbolDatabase::LookupName(const std::string& symbol) const {
    for (const SRecord& record : m_records)
        if (record.symbol == symbol) return record.description;
    return kNoName;
}

std::string CSymbolDatabase::MakeRecord(const std::string& symbol, const std::string& description) {
    std::string record(kRecordSize, '\0');
    record.replace(0, std::min(symbol.size(), kSymbolSize - 1), symbol, 0, kSymbolSize - 1);
    size_t room = kDescriptionSize - 1;
    record.replace(kSymbolSize, std::min(description.size(), room), description, 0, room);
    record.resize(kRecordSize, '\0');
    return record;
}

CFileResult CSymbolDatabase::ConvertList(const std::string& listText, std::string& bytes,
                                         SSymbolListCounts* counts) {
    bytes.clear();
    SSymbolListCounts local;
    SSymbolListCounts& count = counts ? *counts : local;
    std::string converted;
    if (!CSymbolDirectory::ToSymbolList(listText, converted, &count))
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    "the first line is not the header of a symbol list");
    count.symbols = 0;
    CStringFile reader(&converted);
    std::string line;
    (void)reader.ReadingLine(line);
    while (reader.ReadingLine(line)) {
        if (line.size() < 4 || line[0] == '<') continue;
        size_t tab = line.find('\t');
        std::string symbol = line.substr(0, tab);
        std::string description;
        if (tab != std::string::npos)
            description = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        bytes += MakeRecord(symbol, description);
        ++count.symbols;
    }
    return {};
}

CFileResult CSymbolDatabase::ConvertMarketList(const std::string& systemFolder,
                                               const std::string& market,
                                               SSymbolListCounts* counts) {
    if (!IsSafePathPart(market))
        return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                    "the market code \"" + market +
                                        "\" cannot be used as a file name");
    std::string text, bytes;
    if (CFileResult read = ReadWholeFile(systemFolder + market, text); !read) return read;
    if (CFileResult converted = ConvertList(text, bytes, counts); !converted) return converted;
    return WriteFileAtomically(systemFolder + market + ".Dat", bytes);
}

std::string LookupSymbolName(const std::string& systemFolder,
                             const std::vector<std::string>& markets, const std::string& symbol,
                             std::string* market) {
    for (const std::string& code : markets) {
        if (!IsSafePathPart(code)) continue;
        CSymbolDatabase database;
        // A market without its database knows no names.
        (void)database.Load(systemFolder + code + ".Dat");
        std::string name = database.LookupName(symbol);
        if (name != CSymbolDatabase::kNoName) {
            if (market) *market = code;
            return name;
        }
    }
    return CSymbolDatabase::kNoName;
}
