#include "CStringFile.h"

int CStringFile::ReadingString(std::string& line) {
    line.clear();
    if (!m_source || m_position < 0 || static_cast<size_t>(m_position) >= m_source->size())
        return 0;
    size_t start = static_cast<size_t>(m_position);
    size_t feed = m_source->find('\n', start + 1);
    size_t end = feed == std::string::npos ? m_source->size() : feed;
    line.assign(*m_source, start, end - start);
    m_position = static_cast<int32_t>(feed == std::string::npos ? end : feed + 1);
    return static_cast<int>(line.size());
}

bool CStringFile::ReadingLine(std::string& line) {
    line.clear();
    if (!m_source || m_position < 0 || static_cast<size_t>(m_position) >= m_source->size())
        return false;
    size_t start = static_cast<size_t>(m_position);
    size_t feed = m_source->find('\n', start);
    size_t end = feed == std::string::npos ? m_source->size() : feed;
    line.assign(*m_source, start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_position = static_cast<int32_t>(feed == std::string::npos ? end : feed + 1);
    return true;
}
