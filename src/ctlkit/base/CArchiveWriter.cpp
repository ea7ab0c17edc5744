#include "CArchiveWriter.h"
#include "AtomicFile.h"
#include <bit>
#include <cstring>

namespace {
void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
} // namespace

void CArchiveWriter::WriteInt(int32_t value) {
    AppendLittleEndian(m_bytes, static_cast<uint32_t>(value), 4);
}

void CArchiveWriter::WriteFloat(float value) {
    AppendLittleEndian(m_bytes, std::bit_cast<uint32_t>(value), 4);
}

void CArchiveWriter::WriteByte(uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }

void CArchiveWriter::WriteBytes(const void* data, size_t size) {
    m_bytes.append(static_cast<const char*>(data), size);
}

void CArchiveWriter::WriteString(std::string_view text) {
    size_t length = text.size();
    if (length < 0xFF) {
        WriteByte(static_cast<uint8_t>(length));
    } else if (length < 0xFFFF) {
        WriteByte(0xFF);
        AppendLittleEndian(m_bytes, static_cast<uint32_t>(length), 2);
    } else {
        WriteByte(0xFF);
        AppendLittleEndian(m_bytes, 0xFFFF, 2);
        AppendLittleEndian(m_bytes, static_cast<uint32_t>(length), 4);
    }
    m_bytes.append(text);
}

CFileResult CArchiveWriter::SaveAtomically(const std::string& path) const {
    return WriteFileAtomically(path, m_bytes);
}
