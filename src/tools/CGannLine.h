#pragma once
#include "CLine.h"

// A Gann line (type 12): drawn and moved as a trend line.
// Record: the line record, then its own 256-byte block.
class CGannLine : public CLine {
public:
    static constexpr int kTypeCode = 12;

    CGannLine();

    std::array<uint8_t, 256> ownBlock{};

protected:
    void StoredFields(CRecordFields& fields) override;
};
