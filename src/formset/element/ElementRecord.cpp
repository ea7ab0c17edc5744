#include "ElementRecord.h"
#include "tools/ElementFactory.h"

namespace ElementRecord {

std::string Of(const CSymbol& element) {
    CArchiveWriter ar;
    element.Write(ar);
    return ar.Bytes();
}

int TypeCodeOf(std::string_view record) {
    CArchiveReader ar(record);
    int32_t code = 0;
    return ar.ReadInt(code) ? code : 0;
}

std::unique_ptr<CSymbol> NewElement(std::string_view record) {
    std::unique_ptr<CSymbol> element = CreateToolElement(TypeCodeOf(record));
    if (!element) return nullptr;
    CArchiveReader ar(record);
    if (!element->Read(ar) || !ar.AtEnd()) return nullptr;
    return element;
}

bool Apply(CSymbol& element, std::string_view record) {
    const std::unique_ptr<CSymbol> check = NewElement(record);
    if (!check || check->TypeCode() != element.TypeCode()) return false;
    CArchiveReader ar(record);
    return element.Read(ar);
}

} // namespace ElementRecord
