#pragma once
#include "ctlkit/base/LOGFONT.h"
#include "quotes/CViewPar.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCurve;
class CStock;
class CSymbol;
class CTradeFlag;

// What a user may change of a curve an indicator built: its colour, its line width (0..20)
// and its draw kind (0..13).
struct SCurveLook {
    static constexpr int kMaxLineWidth = 20;
    static constexpr int kMaxDrawKind = 13;

    uint32_t colour = 0;
    int lineWidth = 1;
    int drawKind = 1;

    static SCurveLook Of(const CCurve& curve);
    void ApplyTo(CCurve& curve) const;
    bool operator==(const SCurveLook&) const = default;
};

// What a user may change of a trade-flag series: its two colours, its marker (the symbol
// field), its text and the font of the text (height, width, weight, italic and face: the
// font fields a chart file keeps).
struct STradeFlagLook {
    static constexpr std::size_t kMaxText = 63;
    static constexpr std::size_t kMaxFace = 31;

    uint32_t colour = 0;
    uint32_t secondColour = 0x808080;
    int symbol = 0;
    std::string text;
    LOGFONT font;

    static STradeFlagLook Of(const CTradeFlag& flag);
    void ApplyTo(CTradeFlag& flag) const;
    // Compares the stored font fields only.
    bool operator==(const STradeFlagLook& other) const;
};

// Which element of which identifier entry a look belongs to: the entry's indicator (its
// position in IndicatorTable(), whose order is therefore part of the stored form), the
// entry's occurrence among the entries of that indicator in the pane's list (0 for the first
// SMA, 1 for the second), and the element's position among the curves (or among the trade
// flags) that entry builds.
struct SLookKey {
    int indicator = 0;
    int occurrence = 0;
    int ordinal = 0;
    bool operator==(const SLookKey&) const = default;
};

// The looks kept for one pane, stored in the first kRoom of the 256 flag bytes of the pane's
// view record (the last ones hold the pane's scale options, CViewPar.h), beside the
// identifier list they belong to, so that chart files and templates carry them without a
// change of layout. Bytes that are all zero hold no looks. Otherwise they begin with the mark
// 'Z' 'L' 1, followed by records and a 0 byte (or the end of the bytes):
//   curve: 1, indicator, occurrence, ordinal, colour (R, G, B), line width, draw kind;
//   flag:  2, indicator, occurrence, ordinal, colour (R, G, B), second colour (R, G, B),
//          symbol, parts (bit 0: a text follows, bit 1: a font follows), [text length, text],
//          [height, width, weight (int32 little-endian), italic, face length, face].
// Key fields are single bytes, so looks are kept for the first 256 entries of an indicator
// and the first 256 elements of an entry.
class CPaneLooks {
public:
    static constexpr std::size_t kCapacity = 256;
    using Bytes = std::array<uint8_t, kCapacity>;
    // The bytes the looks may take; the rest are never read or written here.
    static constexpr std::size_t kRoom = kCapacity - CViewPar::kOptionBytes;

    struct SCurveRecord {
        SLookKey key;
        SCurveLook look;
    };
    struct SFlagRecord {
        SLookKey key;
        STradeFlagLook look;
    };

    // The looks in `bytes`; nullopt when they hold something else (not zero, no mark), which
    // is then left alone. Decoding stops at the first record that is cut short or holds a
    // value out of range (a line width above 20, a draw kind above 13, a face name longer
    // than 31 characters or with a NUL), keeping the records before it.
    static std::optional<CPaneLooks> Read(const Bytes& bytes);
    // Writes the looks (all zero when there are none); false, `bytes` untouched, when they
    // do not fit.
    bool Write(Bytes& bytes) const;
    // Zeroes the looks' room, leaving the scale options.
    static void ClearLooks(Bytes& bytes);

    // Bytes the records take, the mark and the closing 0 included.
    std::size_t StoredSize() const;
    static std::size_t StoredSize(const SCurveLook& look);
    static std::size_t StoredSize(const STradeFlagLook& look);

    const SCurveLook* Curve(const SLookKey& key) const;
    const STradeFlagLook* Flag(const SLookKey& key) const;
    void Set(const SLookKey& key, const SCurveLook& look);
    void Set(const SLookKey& key, const STradeFlagLook& look);
    // Forgets both kinds of look of `key`; true when there was one.
    bool Erase(const SLookKey& key);
    bool Empty() const { return m_curves.empty() && m_flags.empty(); }

    const std::vector<SCurveRecord>& Curves() const { return m_curves; }
    const std::vector<SFlagRecord>& Flags() const { return m_flags; }

    // Carries every look over to the list `identifiers`[order[0]], `identifiers`[order[1]],
    // ...: a look follows its entry to the entry's new occurrence; the looks of entries left
    // out go. `order` holds distinct positions of `identifiers`.
    void Rearrange(const std::vector<std::string>& identifiers, const std::vector<int>& order);
    // Forgets the looks of every entry of `indicator` from occurrence `first` on.
    void ForgetFrom(int indicator, int first);
    // Forgets the looks of entries that `identifiers` does not hold (left by an edit of the
    // list that did not carry them), so that they take no room.
    void KeepEntriesOf(const std::vector<std::string>& identifiers);

private:
    std::vector<SCurveRecord> m_curves;
    std::vector<SFlagRecord> m_flags;
};

// How a change of look was kept.
enum class ELookKept {
    WithEntry,   // stored with the identifier entry that built the element: it survives replay
    ElementOnly, // the element was built by no entry of the pane's list (or is in no pane):
                 // changed, but nothing rebuilds it either
    NoRoom,      // the pane's store cannot hold it: nothing changed
    StoreInUse,  // the pane's flag bytes hold something else: nothing changed
};

// The key of `element` (a curve or a trade flag) in pane `pane` of `stock`: nullopt when the
// element is not in that pane or was built by no entry of its identifier list.
std::optional<SLookKey> LookKeyOf(const CStock& stock, int pane, const CSymbol& element);

// The look stored for the element, nullopt when none is.
std::optional<SCurveLook> StoredCurveLook(const CStock& stock, int pane, const CCurve& curve);
std::optional<STradeFlagLook> StoredTradeFlagLook(const CStock& stock, int pane,
                                                  const CTradeFlag& flag);

// Bytes the pane's store has for the element's look, counting the look stored for it now and
// the looks of entries no longer in the list as free; -1 when the element has no key (its look is
// then not stored, so no limit applies); 0 when the flag bytes hold something else.
int LookRoom(const CStock& stock, int pane, const CSymbol& element);

// Gives the element `look` and stores it with the element's entry. Nothing changes for
// NoRoom and StoreInUse.
ELookKept ChangeCurveLook(CStock& stock, int pane, CCurve& curve, const SCurveLook& look);
ELookKept ChangeTradeFlagLook(CStock& stock, int pane, CTradeFlag& flag,
                              const STradeFlagLook& look);

// Gives what entry `entryIndex` of the pane's list built (the curves and trade flags of the
// pane carrying that entry index) the looks stored for it.
void ApplyStoredLooks(CStock& stock, int pane, int entryIndex);

// The view record's looks carried over to its list rearranged as CPaneLooks::Rearrange says;
// flag bytes that hold something else stay as they are.
void RearrangeStoredLooks(CViewPar& par, const std::vector<int>& order);
// Before `identifier` is recorded in the view record's list: a list that is cleared first
// takes its looks with it; otherwise the looks kept for occurrences of the identifier beyond
// those in the list (left by an edit of the list that did not carry them) are forgotten, so
// the new entry starts with the look its indicator gives.
void PrepareLooksForEntry(CViewPar& par, const std::string& identifier, bool clearFirst);
