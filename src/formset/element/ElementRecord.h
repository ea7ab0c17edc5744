#pragma once
#include "element/CSymbol.h"
#include <memory>
#include <string>
#include <string_view>

// An element's stored record as the copy a dialog edits: an element cannot be copied, but its
// record can, and a fresh element read from it is the same element.
namespace ElementRecord {

// The bytes Write gives.
std::string Of(const CSymbol& element);
// The type code a record starts with; 0 when it is too short to hold one.
int TypeCodeOf(std::string_view record);
// A new element of the record's type read from it; null when no drawing tool has that type or
// the record is refused.
std::unique_ptr<CSymbol> NewElement(std::string_view record);
// Reads `record` into `element` when a fresh element of the element's type takes the whole
// record; otherwise false and `element` is not touched.
bool Apply(CSymbol& element, std::string_view record);

} // namespace ElementRecord
