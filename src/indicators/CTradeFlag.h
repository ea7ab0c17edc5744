#pragma once
#include "ctlkit/base/LOGFONT.h"
#include "element/CSymbol.h"
#include "series/STradeFlagData.h"
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One trade-signal series (type 38): the price at which a flag is drawn on each bar, 0.0 where
// the bar has none. The element name is the series' name ("SMABuy", ...).
class CTradeFlag : public CSymbol {
public:
    static constexpr int kTypeCode = 38;
    enum EDirection { kSell = 0, kBuy = 1 };

    CTradeFlag();
    explicit CTradeFlag(const STradeFlagData& data);
    ~CTradeFlag() override;

    // The element record, then value count, values, direction, colour, second colour,
    // symbol, text, font (height, width, weight, italic byte, face name), block. Read refuses
    // a value count the bytes left cannot hold; a face name is cut to 31 characters.
    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    // Keeps the mapping, then draws a marker on every visible bar that has a flag.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // kHitCurve within hitTolerance of a drawn marker, else 0: a flag series is picked like
    // the curves an indicator draws.
    int HitTest(int x, int y) override;

    std::vector<float> values;
    int direction = kBuy;
    uint32_t colour = 0;
    uint32_t secondColour = 0x808080; // RGB(128,128,128)
    int symbol = 0;                   // marker selector of the drawn flag
    std::string text;
    LOGFONT font;
    std::array<uint8_t, 256> block{};
};
