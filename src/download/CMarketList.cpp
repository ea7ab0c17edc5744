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
        if (tab != std::string::npos)
            name = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        // The code becomes a folder and file name: one that cannot is left out.
        if (!IsSafePathPart(code)) {
            m_refused.push_back(code);
            continue;
        }
        m_codes.push_back(code);
        m_fullNames.push_back(name);
    }
    return {};
}
