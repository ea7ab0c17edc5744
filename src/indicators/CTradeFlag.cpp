#include "CTradeFlag.h"
#include "TradeFlagPainter.h"
#include "element/FontRecord.h"

CTradeFlag::CTradeFlag() {
    typeCode = kTypeCode;
}

CTradeFlag::CTradeFlag(const STradeFlagData& data) : CTradeFlag() {
    values = data.values;
    direction = data.direction;
    name = data.name;
    colour = data.colour;
    secondColour = data.secondColour;
    symbol = data.symbol;
}

CTradeFlag::~CTradeFlag() = default;

void CTradeFlag::Write(CArchiveWriter& ar) const {
    CSymbol::Write(ar);
    ar.WriteInt(static_cast<int32_t>(values.size()));
    for (float value : values) ar.WriteFloat(value);
    ar.WriteInt(direction);
    ar.WriteInt(static_cast<int32_t>(colour));
    ar.WriteInt(static_cast<int32_t>(secondColour));
    ar.WriteInt(symbol);
    ar.WriteString(text);
    WriteFontRecord(ar, font);
    ar.WriteBytes(block.data(), block.size());
}

bool CTradeFlag::Read(CArchiveReader& ar) {
    if (!CSymbol::Read(ar)) return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, sizeof(float))) return false;
    values.assign(static_cast<size_t>(count), 0.0f);
    for (float& value : values) ar.ReadFloat(value);
    int32_t stored = 0;
    ar.ReadInt(direction);
    ar.ReadInt(stored);
    colour = static_cast<uint32_t>(stored);
    ar.ReadInt(stored);
    secondColour = static_cast<uint32_t>(stored);
    ar.ReadInt(symbol);
    ar.ReadString(text);
    if (!ReadFontRecord(ar, font)) return false;
    return ar.ReadBytes(block.data(), block.size());
}

void CTradeFlag::Draw(CDC& dc, float max, float min, int first, int end, const CRect& plot) {
    CSymbol::Draw(dc, max, min, first, end, plot);
    TradeFlagPainter(*this).Paint(dc);
}

int CTradeFlag::HitTest(int x, int y) {
    if (tracking) return hitState;
    hitState = TradeFlagPainter(*this).Hits(x, y, hitTolerance) ? kHitCurve : 0;
    return hitState;
}
