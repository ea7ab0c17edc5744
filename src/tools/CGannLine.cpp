#include "CGannLine.h"

constexpr unsigned kNameId = 85;

CGannLine::CGannLine() : CLine(kTypeCode, kNameId) {}

void CGannLine::StoredFields(CRecordFields& fields) {
    CLine::StoredFields(fields);
    fields.Block(ownBlock);
}
