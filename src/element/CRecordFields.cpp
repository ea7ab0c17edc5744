#include "CRecordFields.h"
#include "FontRecord.h"
#include <cstdio>
#include <utility>

namespace {
std::string FloatText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}
} // namespace

void CRecordFields::Int(int32_t& value) {
    if (m_writer)
        m_writer->WriteInt(value);
    else
        m_reader->ReadInt(value);
}

void CRecordFields::Int(uint32_t& value) {
    int32_t stored = static_cast<int32_t>(value);
    if (m_writer)
        m_writer->WriteInt(stored);
    else if (m_reader->ReadInt(stored))
        value = static_cast<uint32_t>(stored);
}

void CRecordFields::Int(int32_t& value, int32_t low, int32_t high, const char* what) {
    Int(value);
    if (!m_reader || !m_reader->Ok() || (value >= low && value <= high)) return;
    m_reader->Fail(std::string("a ") + what + " of " + std::to_string(value) + " (allowed " +
                   std::to_string(low) + " to " + std::to_string(high) + ") before offset " +
                   std::to_string(m_reader->Position()));
}

void CRecordFields::Byte(uint8_t& value) {
    if (m_writer)
        m_writer->WriteByte(value);
    else
        m_reader->ReadByte(value);
}

void CRecordFields::Float(float& value) {
    if (m_writer)
        m_writer->WriteFloat(value);
    else
        m_reader->ReadFloat(value);
}

void CRecordFields::Float(float& value, float low, float high, const char* what) {
    Float(value);
    if (!m_reader || !m_reader->Ok() || (value >= low && value <= high)) return;
    m_reader->Fail(std::string("a ") + what + " of " + FloatText(value) + " (allowed " +
                   FloatText(low) + " to " + FloatText(high) + ") before offset " +
                   std::to_string(m_reader->Position()));
}

void CRecordFields::String(std::string& text) {
    if (m_writer)
        m_writer->WriteString(text);
    else
        m_reader->ReadString(text);
}

void CRecordFields::Point(SPoint& point) {
    Int(point.x);
    Int(point.y);
}

void CRecordFields::Font(LOGFONT& font) {
    if (m_writer)
        WriteFontRecord(*m_writer, font);
    else
        ReadFontRecord(*m_reader, font);
}

void CRecordFields::Bytes(uint8_t* data, size_t size) {
    if (m_writer)
        m_writer->WriteBytes(data, size);
    else
        m_reader->ReadBytes(data, size);
}

void CRecordFields::Fail(std::string reason) {
    if (m_reader) m_reader->Fail(std::move(reason));
}
