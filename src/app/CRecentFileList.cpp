#include "CRecentFileList.h"
#include <algorithm>

void CRecentFileList::Load(const Reader& read) {
    m_entries.clear();
    for (int i = 0; i < kSize; ++i) {
        std::string path = read(Key(i));
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(std::move(path));
    }
}

void CRecentFileList::Save(const Writer& write) const {
    for (int i = 0; i < kSize; ++i)
        write(Key(i), i < static_cast<int>(m_entries.size()) ? m_entries[i] : std::string());
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void CRecentFileList::Remove(const std::string& path) {
    std::erase(m_entries, path);
}

std::string CRecentFileList::MenuText(int index) const {
    if (index < 0 || index >= static_cast<int>(m_entries.size())) return {};
    // A "&" in a path would otherwise underline the next letter instead of showing.
    std::string shown;
    for (char c : m_entries[index]) {
        if (c == '&') shown += '&';
        shown += c;
    }
    return "&" + std::to_string(index + 1) + " " + shown;
}
