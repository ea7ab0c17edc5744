#include "CStringFile.h"
#include <climits>

std::string_view CStringFile::Text() const {
    if (m_hasView) return m_view;
    return m_source ? std::string_view(*m_source) : std::string_view();
}

int CStringFile::ReadingString(std::string& line) {
    line.clear();
    const std::string_view text = Text();
    if (m_position >= text.size()) return 0;
    const size_t start = m_position;
    const size_t feed = text.find('\n', start + 1);
    const size_t end = feed == std::string_view::npos ? text.size() : feed;
    line.assign(text.substr(start, end - start));
    m_position = feed == std::string_view::npos ? end : feed + 1;
    // The count is an int as callers test it against 0; a longer line still counts as read.
    return line.size() > INT_MAX ? INT_MAX : static_cast<int>(line.size());
}

bool CStringFile::ReadingLine(std::string& line) {
    line.clear();
    const std::string_view text = Text();
    if (m_position >= text.size()) return false;
    const size_t start = m_position;
    const size_t feed = text.find('\n', start);
    const size_t end = feed == std::string_view::npos ? text.size() : feed;
    line.assign(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_position = feed == std::string_view::npos ? end : feed + 1;
    return true;
}
