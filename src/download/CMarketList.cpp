#include "CMarketList.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CStringFile.h"
#include "ctlkit/base/SafeName.h"

CFileResult CMarketList::Load(const std::string& path) {
    std::string text;
    CFileResult read = ReadWholeFile(path, text);
    if (!read) {
        *this = CMarketList();
        return read;
    }
    return Parse(text);
}

CFileResult CMarketList::Parse(const std::string& text) {
    *this = CMarketList();
    CStringFile reader(&text);
    std::string line;
    if (!reader.ReadingLine(line) || line != kHeader)
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    "the first line is not the header of a market list");
    while (reader.ReadingLine(line)) {
        if (line.size() < 4 || line[0] == '<') continue;
        size_t tab = line.find('\t');
        std::string code = line.substr(0, tab);
        std::string name;
        std::string suffix;
        if (tab != std::string::npos) {
            size_t second = line.find('\t', tab + 1);
            name = line.substr(tab + 1, second - tab - 1);
            if (second != std::string::npos)
                suffix = line.substr(second + 1, line.find('\t', second + 1) - second - 1);
        }
        // The code becomes a folder and file name: one that cannot is left out.
        if (!IsSafePathPart(code)) {
            m_refused.push_back(code);
            continue;
        }
        if (!suffix.empty() && !IsSafePathPart(suffix)) {
            m_refusedSuffixes.push_back(code);
            suffix.clear();
        }
        m_codes.push_back(code);
        m_fullNames.push_back(name);
        m_suffixes.push_back(suffix);
    }
    return {};
}

const std::string* CMarketList::SuffixOf(const std::string& code) const {
    for (size_t i = 0; i < m_codes.size(); ++i)
        if (m_codes[i] == code) return &m_suffixes[i];
    return nullptr;
}
