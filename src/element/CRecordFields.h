#pragma once
#include "SPoint.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "ctlkit/base/LOGFONT.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The fields of a stored record, named once in their stored order: the same list writes them
// into a CArchiveWriter or reads them from a CArchiveReader. Once reading has failed, every
// later field fails too and keeps its value.
class CRecordFields {
public:
    explicit CRecordFields(CArchiveWriter& writer) : m_writer(&writer) {}
    explicit CRecordFields(CArchiveReader& reader) : m_reader(&reader) {}

    bool Reading() const { return m_reader != nullptr; }
    // False once reading has failed; writing never fails.
    bool Ok() const { return !m_reader || m_reader->Ok(); }

    void Int(int32_t& value);
    // An unsigned value (a colour, an offset) stored as the int of the same bits.
    void Int(uint32_t& value);
    // Reading refuses a value outside [low, high], naming it `what` in the reason.
    void Int(int32_t& value, int32_t low, int32_t high, const char* what);
    void Byte(uint8_t& value);
    void Float(float& value);
    // Reading refuses a value outside [low, high] and one that is not a number.
    void Float(float& value, float low, float high, const char* what);
    // The counted string of CArchiveWriter::WriteString.
    void String(std::string& text);
    // x, then y.
    void Point(SPoint& point);
    // The font record of FontRecord.h.
    void Font(LOGFONT& font);
    template <size_t N> void Block(std::array<uint8_t, N>& block) { Bytes(block.data(), N); }
    // The item count, then each item through `item(fields, element)`. Reading refuses a count
    // the bytes left cannot hold at `minItemSize` bytes an item before making the items.
    template <typename T, typename Item>
    void List(std::vector<T>& items, size_t minItemSize, Item item);

    // Fails the reading with `reason` (a stored value that does not fit); nothing when writing.
    void Fail(std::string reason);

private:
    void Bytes(uint8_t* data, size_t size);

    CArchiveWriter* m_writer = nullptr;
    CArchiveReader* m_reader = nullptr;
};

template <typename T, typename Item>
void CRecordFields::List(std::vector<T>& items, size_t minItemSize, Item item) {
    if (m_writer) {
        m_writer->WriteInt(static_cast<int32_t>(items.size()));
    } else {
        int32_t count = 0;
        if (!m_reader->ReadCount(count, minItemSize)) return;
        items.assign(static_cast<size_t>(count), T{});
    }
    for (T& element : items) item(*this, element);
}
