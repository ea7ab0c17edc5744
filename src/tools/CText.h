#pragma once
#include "CLine.h"
#include "ctlkit/base/LOGFONT.h"
#include <string>

// A text box (type 30) with its top-left corner at the first anchor.
// Record: the line record, text colour, text (counted string), font (FontRecord.h), its own
// block.
class CText : public CLine {
public:
    static constexpr int kTypeCode = 30;

    CText();
    // The text, line by line, with its top-left corner at p1 in the font and text colour on
    // a transparent background; handles at the text box's corners when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // The text box of the last draw.
    CRect TextBox() const;

    std::string text;
    uint32_t textColour = 0x808080;
    LOGFONT font;
    std::array<uint8_t, 256> ownBlock{};

protected:
    // 3 on the text box's top-left handle; the body is the whole text box, hitTolerance
    // around it.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;

private:
    CSize m_extent; // the text's size at the last draw
};
