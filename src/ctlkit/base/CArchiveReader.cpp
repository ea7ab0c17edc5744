#include "CArchiveReader.h"
#include <bit>
#include <cstring>

bool CArchiveReader::Take(size_t size, const char*& data) {
    if (!Ok()) return false;
    if (size > Remaining()) {
        Fail("the file ends early: " + std::to_string(size) + " bytes wanted at offset " +
             std::to_string(m_position) + ", " + std::to_string(Remaining()) + " left");
        return false;
    }
    data = m_bytes.data() + m_position;
    m_position += size;
    return true;
}

uint32_t CArchiveReader::ReadLittleEndian(const char* data, int bytes) const {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

bool CArchiveReader::ReadInt(int32_t& value) {
    const char* data;
    if (!Take(4, data)) return false;
    value = static_cast<int32_t>(ReadLittleEndian(data, 4));
    return true;
}

bool CArchiveReader::ReadFloat(float& value) {
    const char* data;
    if (!Take(4, data)) return false;
    value = std::bit_cast<float>(ReadLittleEndian(data, 4));
    return true;
}

bool CArchiveReader::ReadByte(uint8_t& value) {
    const char* data;
    if (!Take(1, data)) return false;
    value = static_cast<uint8_t>(*data);
    return true;
}

bool CArchiveReader::ReadBytes(void* out, size_t size) {
    const char* data;
    if (!Take(size, data)) return false;
    if (size) std::memcpy(out, data, size);
    return true;
}

bool CArchiveReader::ReadString(std::string& text) {
    const char* data;
    if (!Take(1, data)) return false;
    uint32_t length = static_cast<unsigned char>(*data);
    if (length == 0xFF) {
        if (!Take(2, data)) return false;
        length = ReadLittleEndian(data, 2);
        if (length == 0xFFFF) {
            if (!Take(4, data)) return false;
            length = ReadLittleEndian(data, 4);
        }
    }
    if (!Take(length, data)) return false;
    text.assign(data, length);
    return true;
}

bool CArchiveReader::ReadCount(int32_t& count, size_t minItemSize) {
    if (!ReadInt(count)) return false;
    if (count < 0) {
        Fail("a negative count (" + std::to_string(count) + ") at offset " +
             std::to_string(m_position - 4));
        return false;
    }
    if (minItemSize > 0 && static_cast<size_t>(count) > Remaining() / minItemSize) {
        Fail("a count of " + std::to_string(count) + " at offset " +
             std::to_string(m_position - 4) + " that the " + std::to_string(Remaining()) +
             " bytes left cannot hold");
        return false;
    }
    return true;
}

void CArchiveReader::Fail(std::string reason) {
    if (Ok()) m_error = reason.empty() ? "a stored value is out of range" : std::move(reason);
}

CFileResult CArchiveReader::Result() const {
    if (Ok()) return {};
    return CFileResult::Failure(CFileResult::EKind::Damaged, m_error);
}
