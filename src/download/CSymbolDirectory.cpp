#include "CSymbolDirectory.h"
#include "CSymbolDatabase.h"
#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kClosingRow = "File Creation Time";

std::string_view WithoutMark(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

// The line at `at` without its line feed and the carriage return of a CR LF; `at` moves past.
std::string_view NextLine(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    const void* feed = std::memchr(text.data() + start, '\n', text.size() - start);
    const std::size_t end =
        feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - text.data()) : text.size();
    at = feed ? end + 1 : end;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string_view Trimmed(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
    return field;
}

constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
// Columns read of a row; a header whose needed columns lie further right is not a directory.
constexpr std::size_t kMaxColumns = 64;

struct SColumns {
    std::size_t symbol = kNoColumn;
    std::size_t name = kNoColumn;
    std::size_t testIssue = kNoColumn;
    std::size_t needed = 0; // fields a row must have
};

// The columns of a directory's header, or none when it is not one.
SColumns ColumnsOf(std::string_view header) {
    SColumns columns;
    std::size_t index = 0;
    for (std::size_t at = 0; at <= header.size(); ++index) {
        std::size_t bar = header.find('|', at);
        if (bar == std::string_view::npos) bar = header.size();
        const std::string_view name = Trimmed(header.substr(at, bar - at));
        if (index == 0 && (name == "Symbol" || name == "ACT Symbol")) columns.symbol = 0;
        if (name == "Security Name" && columns.name == kNoColumn) columns.name = index;
        if (name == "Test Issue" && columns.testIssue == kNoColumn) columns.testIssue = index;
        at = bar + 1;
    }
    if (columns.symbol == kNoColumn || columns.name == kNoColumn) return {};
    columns.needed = std::max(columns.name, columns.testIssue == kNoColumn ? 0 : columns.testIssue);
    if (columns.needed >= kMaxColumns) return {};
    return columns;
}

bool TickerCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '.' || c == '-' || c == '$' || c == '^' || c == '=' || c == '_';
}

// A security name as one field of the list: a tab or control character would split or end
// it, and the database holds at most 1007 characters.
void AppendName(std::string& list, std::string_view name) {
    name = name.substr(0, CSymbolDatabase::kDescriptionSize - 1);
    for (char c : name)
        list += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
}
} // namespace

bool CSymbolDirectory::IsSafeTicker(std::string_view symbol) {
    if (symbol.empty() || symbol.size() > kMaxTickerLength) return false;
    const char first = symbol.front();
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') ||
          (first >= '0' && first <= '9') || first == '^'))
        return false;
    for (char c : symbol)
        if (!TickerCharacter(c)) return false;
    return symbol.find("..") == std::string_view::npos;
}

ESymbolListForm CSymbolDirectory::FormOf(std::string_view text) {
    text = WithoutMark(text);
    const std::string_view listHeader = CSymbolDatabase::kListHeader;
    if (text.substr(0, listHeader.size()) == listHeader) return ESymbolListForm::List;
    std::size_t at = 0;
    return ColumnsOf(NextLine(text, at)).symbol == kNoColumn ? ESymbolListForm::Unknown
                                                             : ESymbolListForm::Directory;
}

CFileResult CSymbolDirectory::ToSymbolList(std::string_view text, std::string& list,
                                           SSymbolListCounts* counts) {
    list.clear();
    SSymbolListCounts local;
    SSymbolListCounts& count = counts ? *counts : local;
    count = {};
    // The form is judged on the text as given: it strips one mark, as the conversion does.
    const ESymbolListForm form = FormOf(text);
    text = WithoutMark(text);
    switch (form) {
    case ESymbolListForm::Unknown:
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    "the first line is neither the header of a symbol list nor "
                                    "that of a symbol directory");
    case ESymbolListForm::List:
        list.assign(text);
        return {};
    case ESymbolListForm::Directory:
        break;
    }
    std::size_t at = 0;
    const SColumns columns = ColumnsOf(NextLine(text, at));
    list.reserve(text.size());
    list += CSymbolDatabase::kListHeader;
    list += '\n';
    // The fields of one row up to the last column needed; more are ignored.
    std::array<std::string_view, kMaxColumns> fields;
    const std::size_t needed = columns.needed;
    while (at < text.size()) {
        const std::string_view row = NextLine(text, at);
        if (Trimmed(row).empty()) continue;
        if (row.substr(0, kClosingRow.size()) == kClosingRow) continue;
        std::size_t got = 0;
        for (std::size_t from = 0; got <= needed;) {
            const std::size_t bar = row.find('|', from);
            fields[got++] = row.substr(from, bar == std::string_view::npos ? row.npos : bar - from);
            if (bar == std::string_view::npos) break;
            from = bar + 1;
        }
        if (got <= needed) {
            ++count.refused;
            continue;
        }
        if (columns.testIssue != kNoColumn && Trimmed(fields[columns.testIssue]) == "Y") {
            ++count.testIssues;
            continue;
        }
        const std::string_view symbol = Trimmed(fields[columns.symbol]);
        if (!IsSafeTicker(symbol)) {
            ++count.refused;
            continue;
        }
        list += symbol;
        list += '\t';
        AppendName(list, Trimmed(fields[columns.name]));
        list += '\n';
        ++count.symbols;
    }
    return {};
}
