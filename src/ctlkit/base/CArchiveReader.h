#pragma once
#include "CFileResult.h"
#include <cstdint>
#include <string>
#include <string_view>

// Reads the stored layouts of chart files and templates from bytes held in memory. Every
// read checks the bytes that remain first; the first read that cannot be satisfied fails,
// records why, and makes every later read fail too, so a caller may read a whole record and
// test Ok() once, or take Result() as the outcome of the whole read. Nothing is allocated for a
// length or count that the remaining bytes cannot hold.
class CArchiveReader {
public:
    explicit CArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    bool ReadInt(int32_t& value);
    bool ReadFloat(float& value);
    bool ReadByte(uint8_t& value);
    bool ReadBytes(void* data, size_t size);
    // The counted string written by CArchiveWriter::WriteString.
    bool ReadString(std::string& text);
    // A count of items of at least `minItemSize` bytes each that must follow: refused when
    // negative or when the remaining bytes cannot hold that many items.
    bool ReadCount(int32_t& count, size_t minItemSize);

    // Marks the archive as failed with a reason of the caller's (a stored value out of range).
    void Fail(std::string reason);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // Success while Ok(), else Damaged with Error() as its message.
    CFileResult Result() const;
    size_t Position() const { return m_position; }
    size_t Remaining() const { return m_bytes.size() - m_position; }
    bool AtEnd() const { return m_position == m_bytes.size(); }

private:
    bool Take(size_t size, const char*& data);
    uint32_t ReadLittleEndian(const char* data, int bytes) const;

    std::string_view m_bytes;
    size_t m_position = 0;
    std::string m_error;
};
