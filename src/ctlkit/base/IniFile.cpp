#include "IniFile.h"
#include <climits>

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}
} // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

int ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Saturate once past the int range; int64 holds limit * 10 + 9 without overflow.
    constexpr int64_t kLimit = static_cast<int64_t>(INT_MAX) + 1;
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (v <= kLimit) v = v * 10 + (text[i] - '0');
    if (negative) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

void IniFile::Classify(Line& line, bool firstLine) {
    std::string_view raw = line.text;
    size_t skipped = 0;
    if (firstLine && raw.substr(0, kUtf8Bom.size()) == kUtf8Bom) skipped = kUtf8Bom.size();
    std::string_view s = TrimLeft(raw.substr(skipped));
    line.name.clear();
    line.value.clear();
    line.hasEquals = false;
    line.valueStart = 0;
    if (s.empty()) {
        line.kind = Kind::Blank;
        return;
    }
    if (s.front() == ';') {
        line.kind = Kind::Comment;
        return;
    }
    if (s.front() == '[') {
        size_t close = s.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Kind::Section;
            line.name = Trim(s.substr(1, close - 1));
            return;
        }
    }
    line.kind = Kind::Key;
    size_t eq = s.find('=');
    if (eq == std::string_view::npos) {
        line.name = Trim(s);
        return;
    }
    line.hasEquals = true;
    line.name = Trim(s.substr(0, eq));
    std::string_view after = TrimLeft(s.substr(eq + 1));
    line.valueStart = raw.size() - after.size();
    line.value = Trim(after);
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) {
            line.text = text.substr(pos);
            pos = text.size();
        } else {
            std::string_view body = text.substr(pos, nl - pos);
            line.eol = "\n";
            if (!body.empty() && body.back() == '\r') {
                body.remove_suffix(1);
                line.eol = "\r\n";
            }
            line.text = body;
            pos = nl + 1;
        }
        Classify(line, ini.m_lines.empty());
        ini.m_lines.push_back(std::move(line));
    }
    return ini;
}

std::string IniFile::Text() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += line.eol;
    }
    return out;
}

size_t IniFile::FindSection(std::string_view name) const {
    name = Trim(name);
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && IniNamesEqual(m_lines[i].name, name)) return i;
    return std::string::npos;
}

size_t IniFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
    return i;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    size_t header = FindSection(section);
    if (header == std::string::npos) return std::nullopt;
    key = Trim(key);
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && IniNamesEqual(line.name, key))
            return std::string(StripQuotes(line.value));
    }
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : m_lines)
        if (line.kind == Kind::Section && !line.name.empty()) names.push_back(line.name);
    return names;
}

std::vector<std::string> IniFile::SectionEntries(std::string_view section) const {
    std::vector<std::string> entries;
    size_t header = FindSection(section);
    if (header == std::string::npos) return entries;
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Key) continue;
        entries.push_back(line.hasEquals ? line.name + "=" + line.value : line.name);
    }
    return entries;
}

std::string IniFile::NewLineEnd() const {
    for (const Line& line : m_lines)
        if (!line.eol.empty()) return line.eol;
    return "\n";
}

CFileResult IniFile::SetValue(std::string_view section, std::string_view key,
                              std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || HasLineBreakOrNul(section))
        return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                    "the section name \"" + std::string(section) +
                                        "\" cannot be stored in an INI file");
    if (key.empty() || HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos ||
        key.front() == ';' || key.front() == '[')
        return CFileResult::Failure(CFileResult::EKind::UnsafeName,
                                    "the key name \"" + std::string(key) +
                                        "\" cannot be stored in an INI file");
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));

    const std::string eol = NewLineEnd();
    auto insertLine = [&](size_t at, std::string text) {
        // The line before a new line must end, or the two would merge.
        if (at > 0 && m_lines[at - 1].eol.empty()) m_lines[at - 1].eol = eol;
        Line line;
        line.text = std::move(text);
        line.eol = eol;
        Classify(line, at == 0);
        m_lines.insert(m_lines.begin() + static_cast<ptrdiff_t>(at), std::move(line));
    };

    size_t header = FindSection(section);
    if (header == std::string::npos) {
        insertLine(m_lines.size(), "[" + std::string(section) + "]");
        insertLine(m_lines.size(), std::string(key) + "=" + std::string(value));
        return {};
    }
    size_t end = SectionEnd(header);
    size_t lastFilled = header;
    for (size_t i = header + 1; i < end; ++i) {
        Line& line = m_lines[i];
        if (line.kind != Kind::Blank) lastFilled = i;
        if (line.kind != Kind::Key || !IniNamesEqual(line.name, key)) continue;
        if (line.hasEquals) {
            line.text = line.text.substr(0, line.valueStart) + std::string(value);
        } else {
            std::string_view kept = line.text;
            while (!kept.empty() && IsSpace(kept.back())) kept.remove_suffix(1);
            line.text = std::string(kept) + "=" + std::string(value);
        }
        Classify(line, i == 0);
        return {};
    }
    insertLine(lastFilled + 1, std::string(key) + "=" + std::string(value));
    return {};
}

std::vector<std::string> FitProfileList(const std::vector<std::string>& items, size_t capacity,
                                        int32_t& chars) {
    std::vector<std::string> out;
    size_t room = capacity;
    for (const std::string& s : items) {
        if (s.empty()) continue;
        if (room >= 3 && s.size() <= room - 3) {
            out.push_back(s);
            room -= s.size() + 1;
            continue;
        }
        size_t keep = room >= 2 ? room - 2 : 0;
        if (keep > 0) out.push_back(s.substr(0, keep));
        chars = static_cast<int32_t>(capacity >= 2 ? capacity - 2 : 0);
        return out;
    }
    chars = static_cast<int32_t>(capacity - room);
    return out;
}
