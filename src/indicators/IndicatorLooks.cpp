#include "IndicatorLooks.h"
#include "CStockPanes.h"
#include "CTradeFlag.h"
#include "IndicatorCatalog.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "series/CCurve.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

namespace {

constexpr std::array<uint8_t, 3> kMark = {'Z', 'L', 1};
constexpr uint8_t kEnd = 0;
constexpr uint8_t kCurveTag = 1;
constexpr uint8_t kFlagTag = 2;
constexpr uint8_t kHasText = 1;
constexpr uint8_t kHasFont = 2;
constexpr std::size_t kKeySize = 4; // tag and the three key bytes
constexpr std::size_t kFontSize = 3 * 4 + 1 + 1;
constexpr int kMaxKeyByte = 255;

// The font fields a chart file keeps.
bool SameStoredFont(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && std::strncmp(a.lfFaceName, b.lfFaceName, 32) == 0;
}

std::string_view FaceOf(const LOGFONT& font) {
    return {font.lfFaceName, strnlen(font.lfFaceName, STradeFlagLook::kMaxFace)};
}

// A flag as its indicator builds it has neither text nor font; only changed parts are stored.
bool HasFont(const STradeFlagLook& look) {
    return !SameStoredFont(look.font, LOGFONT{});
}

int IndicatorIndex(std::string_view identifier) {
    const auto table = IndicatorTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (identifier == table[i].identifier) return static_cast<int>(i);
    return -1;
}

class CByteWriter {
public:
    void Byte(int value) { m_bytes.push_back(static_cast<uint8_t>(value)); }
    void Colour(uint32_t colour) {
        for (int shift : {0, 8, 16}) Byte(static_cast<int>((colour >> shift) & 0xFF));
    }
    void Int(int32_t value) {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift : {0, 8, 16, 24}) Byte(static_cast<int>((bits >> shift) & 0xFF));
    }
    void Text(std::string_view text) {
        Byte(static_cast<int>(text.size()));
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }
    void Key(uint8_t tag, const SLookKey& key) {
        Byte(tag);
        Byte(key.indicator);
        Byte(key.occurrence);
        Byte(key.ordinal);
    }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

class CByteReader {
public:
    explicit CByteReader(const CPaneLooks::Bytes& bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_at >= CPaneLooks::kRoom; }
    void Skip(std::size_t count) { m_at = std::min(CPaneLooks::kRoom, m_at + count); }
    bool Byte(int& value) {
        if (AtEnd()) return false;
        value = m_bytes[m_at++];
        return true;
    }
    bool Colour(uint32_t& colour) {
        colour = 0;
        for (int shift : {0, 8, 16}) {
            int part = 0;
            if (!Byte(part)) return false;
            colour |= static_cast<uint32_t>(part) << shift;
        }
        return true;
    }
    bool Int(int32_t& value) {
        uint32_t bits = 0;
        for (int shift : {0, 8, 16, 24}) {
            int part = 0;
            if (!Byte(part)) return false;
            bits |= static_cast<uint32_t>(part) << shift;
        }
        value = static_cast<int32_t>(bits);
        return true;
    }
    bool Text(std::string& text, std::size_t most) {
        int length = 0;
        if (!Byte(length) || static_cast<std::size_t>(length) > most ||
            CPaneLooks::kRoom - m_at < static_cast<std::size_t>(length))
            return false;
        text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_at),
                    static_cast<std::size_t>(length));
        m_at += static_cast<std::size_t>(length);
        return true;
    }
    bool Key(SLookKey& key) {
        return Byte(key.indicator) && Byte(key.occurrence) && Byte(key.ordinal);
    }

private:
    const CPaneLooks::Bytes& m_bytes;
    std::size_t m_at = 0;
};

bool ReadCurve(CByteReader& in, SCurveLook& look) {
    return in.Colour(look.colour) && in.Byte(look.lineWidth) && in.Byte(look.drawKind) &&
           look.lineWidth <= SCurveLook::kMaxLineWidth && look.drawKind <= SCurveLook::kMaxDrawKind;
}

bool ReadFlag(CByteReader& in, STradeFlagLook& look) {
    int parts = 0;
    if (!in.Colour(look.colour) || !in.Colour(look.secondColour) || !in.Byte(look.symbol) ||
        !in.Byte(parts) || (parts & ~(kHasText | kHasFont)) != 0)
        return false;
    if ((parts & kHasText) && !in.Text(look.text, STradeFlagLook::kMaxText)) return false;
    if (!(parts & kHasFont)) return true;
    int italic = 0;
    std::string face;
    if (!in.Int(look.font.lfHeight) || !in.Int(look.font.lfWidth) || !in.Int(look.font.lfWeight) ||
        !in.Byte(italic) || !in.Text(face, STradeFlagLook::kMaxFace) ||
        face.find('\0') != std::string::npos)
        return false;
    look.font.lfItalic = static_cast<uint8_t>(italic);
    std::memcpy(look.font.lfFaceName, face.data(), face.size());
    return true;
}

template <class Record> auto FindRecord(std::vector<Record>& records, const SLookKey& key) {
    return std::find_if(records.begin(), records.end(),
                        [&](const Record& record) { return record.key == key; });
}

// The pane's curves and trade flags that entry `entryIndex` built, in pane order.
std::vector<CSymbol*> BuiltBy(const CTCurve& pane, int entryIndex, bool flags) {
    std::vector<CSymbol*> built;
    if (flags) {
        for (const auto& element : pane.Elements())
            if (element->TypeCode() == CTradeFlag::kTypeCode && element->entryIndex == entryIndex)
                built.push_back(element.get());
        return built;
    }
    for (const auto* list : {&pane.Curves(), &pane.SecondCurves()})
        for (const auto& curve : *list)
            if (curve->entryIndex == entryIndex) built.push_back(curve.get());
    return built;
}

// The indicator and occurrence of entry `entryIndex` of `identifiers`.
std::optional<SLookKey> EntryKey(const std::vector<std::string>& identifiers, int entryIndex) {
    if (entryIndex < 0 || entryIndex >= static_cast<int>(identifiers.size())) return std::nullopt;
    const std::string& identifier = identifiers[static_cast<std::size_t>(entryIndex)];
    SLookKey key;
    key.indicator = IndicatorIndex(identifier);
    key.occurrence = static_cast<int>(
        std::count(identifiers.begin(), identifiers.begin() + entryIndex, identifier));
    if (key.indicator < 0 || key.occurrence > kMaxKeyByte) return std::nullopt;
    return key;
}

const CTCurve* PaneOf(const CStock& stock, int pane) {
    const CStockPanes* panes = CStockPanes::Of(stock);
    return panes ? panes->Pane(pane) : nullptr;
}

std::optional<CPaneLooks> LooksOf(const CStock& stock, int pane) {
    return CPaneLooks::Read(stock.ViewPar(pane).flagBytes);
}

template <class Look, class Element>
ELookKept ChangeLook(CStock& stock, int pane, Element& element, const Look& look) {
    const std::optional<SLookKey> key = LookKeyOf(stock, pane, element);
    if (!key) {
        look.ApplyTo(element);
        return ELookKept::ElementOnly;
    }
    CViewPar& par = stock.ViewPar(pane);
    std::optional<CPaneLooks> looks = CPaneLooks::Read(par.flagBytes);
    if (!looks) return ELookKept::StoreInUse;
    looks->KeepEntriesOf(par.identifiers);
    looks->Set(*key, look);
    if (!looks->Write(par.flagBytes)) return ELookKept::NoRoom;
    look.ApplyTo(element);
    return ELookKept::WithEntry;
}

} // namespace

SCurveLook SCurveLook::Of(const CCurve& curve) {
    return {curve.colour, curve.lineWidth, curve.drawKind};
}

void SCurveLook::ApplyTo(CCurve& curve) const {
    curve.colour = colour;
    curve.lineWidth = lineWidth;
    curve.drawKind = drawKind;
}

STradeFlagLook STradeFlagLook::Of(const CTradeFlag& flag) {
    STradeFlagLook look;
    look.colour = flag.colour;
    look.secondColour = flag.secondColour;
    look.symbol = flag.symbol;
    look.text = flag.text;
    look.font = flag.font;
    return look;
}

void STradeFlagLook::ApplyTo(CTradeFlag& flag) const {
    flag.colour = colour;
    flag.secondColour = secondColour;
    flag.symbol = symbol;
    flag.text = text;
    flag.font.lfHeight = font.lfHeight;
    flag.font.lfWidth = font.lfWidth;
    flag.font.lfWeight = font.lfWeight;
    flag.font.lfItalic = font.lfItalic;
    std::memset(flag.font.lfFaceName, 0, sizeof flag.font.lfFaceName);
    const std::string_view face = FaceOf(font);
    std::memcpy(flag.font.lfFaceName, face.data(), face.size());
}

bool STradeFlagLook::operator==(const STradeFlagLook& other) const {
    return colour == other.colour && secondColour == other.secondColour && symbol == other.symbol &&
           text == other.text && SameStoredFont(font, other.font);
}

std::optional<CPaneLooks> CPaneLooks::Read(const Bytes& bytes) {
    CPaneLooks looks;
    const auto room = bytes.begin() + kRoom;
    if (std::all_of(bytes.begin(), room, [](uint8_t b) { return b == 0; })) return looks;
    if (!std::equal(kMark.begin(), kMark.end(), bytes.begin())) return std::nullopt;
    CByteReader in(bytes);
    in.Skip(kMark.size());
    int tag = kEnd;
    while (in.Byte(tag) && tag != kEnd) {
        SLookKey key;
        if (!in.Key(key)) break;
        if (tag == kCurveTag) {
            SCurveLook look;
            if (!ReadCurve(in, look)) break;
            if (!looks.Curve(key)) looks.m_curves.push_back({key, look});
        } else if (tag == kFlagTag) {
            STradeFlagLook look;
            if (!ReadFlag(in, look)) break;
            if (!looks.Flag(key)) looks.m_flags.push_back({key, look});
        } else {
            break;
        }
    }
    return looks;
}

void CPaneLooks::ClearLooks(Bytes& bytes) {
    std::fill(bytes.begin(), bytes.begin() + kRoom, uint8_t{0});
}

bool CPaneLooks::Write(Bytes& bytes) const {
    if (Empty()) {
        ClearLooks(bytes);
        return true;
    }
    if (StoredSize() > kRoom) return false;
    CByteWriter out;
    for (uint8_t mark : kMark) out.Byte(mark);
    for (const SCurveRecord& record : m_curves) {
        out.Key(kCurveTag, record.key);
        out.Colour(record.look.colour);
        out.Byte(record.look.lineWidth);
        out.Byte(record.look.drawKind);
    }
    for (const SFlagRecord& record : m_flags) {
        const STradeFlagLook& look = record.look;
        out.Key(kFlagTag, record.key);
        out.Colour(look.colour);
        out.Colour(look.secondColour);
        out.Byte(look.symbol);
        const bool font = HasFont(look);
        out.Byte((look.text.empty() ? 0 : kHasText) | (font ? kHasFont : 0));
        if (!look.text.empty()) out.Text(look.text);
        if (font) {
            out.Int(look.font.lfHeight);
            out.Int(look.font.lfWidth);
            out.Int(look.font.lfWeight);
            out.Byte(look.font.lfItalic);
            out.Text(FaceOf(look.font));
        }
    }
    out.Byte(kEnd);
    ClearLooks(bytes);
    std::copy(out.Bytes().begin(), out.Bytes().end(), bytes.begin());
    return true;
}

std::size_t CPaneLooks::StoredSize(const SCurveLook&) {
    return kKeySize + 3 + 1 + 1;
}

std::size_t CPaneLooks::StoredSize(const STradeFlagLook& look) {
    std::size_t size = kKeySize + 3 + 3 + 1 + 1;
    if (!look.text.empty()) size += 1 + look.text.size();
    if (HasFont(look)) size += kFontSize + FaceOf(look.font).size();
    return size;
}

std::size_t CPaneLooks::StoredSize() const {
    if (Empty()) return 0;
    std::size_t size = kMark.size() + 1;
    for (const SCurveRecord& record : m_curves) size += StoredSize(record.look);
    for (const SFlagRecord& record : m_flags) size += StoredSize(record.look);
    return size;
}

const SCurveLook* CPaneLooks::Curve(const SLookKey& key) const {
    for (const SCurveRecord& record : m_curves)
        if (record.key == key) return &record.look;
    return nullptr;
}

const STradeFlagLook* CPaneLooks::Flag(const SLookKey& key) const {
    for (const SFlagRecord& record : m_flags)
        if (record.key == key) return &record.look;
    return nullptr;
}

void CPaneLooks::Set(const SLookKey& key, const SCurveLook& look) {
    if (auto found = FindRecord(m_curves, key); found != m_curves.end())
        found->look = look;
    else
        m_curves.push_back({key, look});
}

void CPaneLooks::Set(const SLookKey& key, const STradeFlagLook& look) {
    if (auto found = FindRecord(m_flags, key); found != m_flags.end())
        found->look = look;
    else
        m_flags.push_back({key, look});
}

bool CPaneLooks::Erase(const SLookKey& key) {
    const auto same = [&](const auto& record) { return record.key == key; };
    return std::erase_if(m_curves, same) + std::erase_if(m_flags, same) > 0;
}

void CPaneLooks::Rearrange(const std::vector<std::string>& identifiers,
                           const std::vector<int>& order) {
    // (indicator, old occurrence) -> new occurrence
    std::map<std::pair<int, int>, int> moved;
    std::map<int, int> seen;
    for (int position : order) {
        const std::optional<SLookKey> old = EntryKey(identifiers, position);
        if (!old) continue;
        moved[{old->indicator, old->occurrence}] = seen[old->indicator]++;
    }
    const auto carry = [&](auto& records) {
        std::erase_if(records, [&](auto& record) {
            const auto found = moved.find({record.key.indicator, record.key.occurrence});
            if (found == moved.end() || found->second > kMaxKeyByte) return true;
            record.key.occurrence = found->second;
            return false;
        });
    };
    carry(m_curves);
    carry(m_flags);
}

void CPaneLooks::ForgetFrom(int indicator, int first) {
    const auto beyond = [&](const auto& record) {
        return record.key.indicator == indicator && record.key.occurrence >= first;
    };
    std::erase_if(m_curves, beyond);
    std::erase_if(m_flags, beyond);
}

void CPaneLooks::KeepEntriesOf(const std::vector<std::string>& identifiers) {
    std::map<int, int> counts;
    for (const std::string& identifier : identifiers) ++counts[IndicatorIndex(identifier)];
    const auto gone = [&](const auto& record) {
        const auto found = counts.find(record.key.indicator);
        return found == counts.end() || record.key.occurrence >= found->second;
    };
    std::erase_if(m_curves, gone);
    std::erase_if(m_flags, gone);
}

std::optional<SLookKey> LookKeyOf(const CStock& stock, int pane, const CSymbol& element) {
    if (pane < 0 || pane >= CStock::kViewParCount) return std::nullopt;
    const CTCurve* held = PaneOf(stock, pane);
    if (!held) return std::nullopt;
    std::optional<SLookKey> key = EntryKey(stock.ViewPar(pane).identifiers, element.entryIndex);
    if (!key) return std::nullopt;
    const bool flag = element.TypeCode() == CTradeFlag::kTypeCode;
    if (!flag && element.TypeCode() != CCurve::kTypeCode) return std::nullopt;
    const std::vector<CSymbol*> built = BuiltBy(*held, element.entryIndex, flag);
    const auto found = std::find(built.begin(), built.end(), &element);
    if (found == built.end()) return std::nullopt;
    key->ordinal = static_cast<int>(found - built.begin());
    if (key->ordinal > kMaxKeyByte) return std::nullopt;
    return key;
}

std::optional<SCurveLook> StoredCurveLook(const CStock& stock, int pane, const CCurve& curve) {
    const std::optional<SLookKey> key = LookKeyOf(stock, pane, curve);
    if (!key) return std::nullopt;
    const std::optional<CPaneLooks> looks = LooksOf(stock, pane);
    const SCurveLook* look = looks ? looks->Curve(*key) : nullptr;
    if (!look) return std::nullopt;
    return *look;
}

std::optional<STradeFlagLook> StoredTradeFlagLook(const CStock& stock, int pane,
                                                  const CTradeFlag& flag) {
    const std::optional<SLookKey> key = LookKeyOf(stock, pane, flag);
    if (!key) return std::nullopt;
    const std::optional<CPaneLooks> looks = LooksOf(stock, pane);
    const STradeFlagLook* look = looks ? looks->Flag(*key) : nullptr;
    if (!look) return std::nullopt;
    return *look;
}

int LookRoom(const CStock& stock, int pane, const CSymbol& element) {
    const std::optional<SLookKey> key = LookKeyOf(stock, pane, element);
    if (!key) return -1;
    std::optional<CPaneLooks> looks = LooksOf(stock, pane);
    if (!looks) return 0;
    looks->KeepEntriesOf(stock.ViewPar(pane).identifiers);
    looks->Erase(*key);
    // An empty store still needs its mark and closing byte once it holds a look.
    const std::size_t used = looks->Empty() ? 4 : looks->StoredSize();
    return static_cast<int>(CPaneLooks::kRoom - std::min(used, CPaneLooks::kRoom));
}

ELookKept ChangeCurveLook(CStock& stock, int pane, CCurve& curve, const SCurveLook& look) {
    return ChangeLook(stock, pane, curve, look);
}

ELookKept ChangeTradeFlagLook(CStock& stock, int pane, CTradeFlag& flag,
                              const STradeFlagLook& look) {
    return ChangeLook(stock, pane, flag, look);
}

void ApplyStoredLooks(CStock& stock, int pane, int entryIndex) {
    if (pane < 0 || pane >= CStock::kViewParCount) return;
    const CTCurve* held = PaneOf(stock, pane);
    const std::optional<SLookKey> entry = EntryKey(stock.ViewPar(pane).identifiers, entryIndex);
    if (!held || !entry) return;
    const std::optional<CPaneLooks> looks = LooksOf(stock, pane);
    if (!looks || looks->Empty()) return;
    SLookKey key = *entry;
    for (const bool flags : {false, true}) {
        key.ordinal = 0;
        for (CSymbol* element : BuiltBy(*held, entryIndex, flags)) {
            if (flags) {
                if (const STradeFlagLook* look = looks->Flag(key))
                    look->ApplyTo(static_cast<CTradeFlag&>(*element));
            } else if (const SCurveLook* look = looks->Curve(key)) {
                look->ApplyTo(static_cast<CCurve&>(*element));
            }
            ++key.ordinal;
        }
    }
}

void RearrangeStoredLooks(CViewPar& par, const std::vector<int>& order) {
    std::optional<CPaneLooks> looks = CPaneLooks::Read(par.flagBytes);
    if (!looks || looks->Empty()) return;
    looks->Rearrange(par.identifiers, order);
    looks->Write(par.flagBytes); // fewer looks than before always fit
}

void PrepareLooksForEntry(CViewPar& par, const std::string& identifier, bool clearFirst) {
    std::optional<CPaneLooks> looks = CPaneLooks::Read(par.flagBytes);
    if (!looks || looks->Empty()) return;
    if (clearFirst) {
        CPaneLooks::ClearLooks(par.flagBytes);
        return;
    }
    const int indicator = IndicatorIndex(identifier);
    if (indicator < 0) return;
    looks->ForgetFrom(indicator, static_cast<int>(std::count(par.identifiers.begin(),
                                                             par.identifiers.end(), identifier)));
    looks->Write(par.flagBytes);
}
