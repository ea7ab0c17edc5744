#pragma once
#include "CFileResult.h"
#include <cstdint>
#include <string>
#include <string_view>

// Writes the stored layouts of chart files and templates into memory: little-endian 32-bit
// ints and floats, single bytes and counted strings. The bytes reach the disk only through
// SaveAtomically, so a failed save never leaves a half-written file.
class CArchiveWriter {
public:
    void WriteInt(int32_t value);
    void WriteFloat(float value);
    void WriteByte(uint8_t value);
    void WriteBytes(const void* data, size_t size);
    // The counted string: one length byte below 255; 0xFF and a 16-bit length up to 65534;
    // 0xFF, 0xFFFF and a 32-bit length from 65535 on; then the characters, no terminator.
    void WriteString(std::string_view text);

    const std::string& Bytes() const { return m_bytes; }
    // Replaces the file at `path` with the bytes written so far; CannotWrite with the reason
    // of WriteFileAtomically when that fails (the old file is then untouched).
    CFileResult SaveAtomically(const std::string& path) const;

private:
    std::string m_bytes;
};
