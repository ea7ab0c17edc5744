#pragma once
#include "CLine.h"
#include "ctlkit/LOGFONT.h"
#include <string>

// A text box (type 30) with its top-left corner at the first anchor.
// Record: the line record, text colour, text (counted string), font (FontRecord.h), its own
// block.
class CText : public CLine {
public:
    static constexpr int kTypeCode = 30;

    CText();
    ~CText() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    std::string text;
    uint32_t textColour = 0x808080;
    LOGFONT font;
    std::array<uint8_t, 256> ownBlock{};
};
