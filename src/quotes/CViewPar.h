#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The display settings of one pane and the identifiers of the indicators placed in it, in
// the order of the stored record.
class CViewPar {
public:
    static constexpr int kMaxCell = 1000; // largest cellMaxX / cellMaxY a chart may hold
    // Most indicators one pane's list holds: each is rebuilt whenever the pane is, so a stored
    // list must not ask for more work than a user can place by hand.
    static constexpr int kMaxIdentifiers = 64;

    // The pane's own scale options ride in the last flag bytes, which the indicator looks
    // stored from the first byte on (IndicatorLooks.h) leave alone. Files written before the
    // options hold 0 in both: a linear scale whose ticks start at the bottom value.
    //   byte 255: 1 a logarithmic value scale, anything else linear;
    //   byte 254: 0 not chosen (ticks from the bottom value), 1 round ticks (multiples of a
    //             1-2-5 step), 2 ticks from the bottom value chosen.
    static constexpr std::size_t kLogScaleByte = 255;
    static constexpr std::size_t kRoundTicksByte = 254;
    static constexpr std::size_t kOptionBytes = 2;
    static constexpr uint8_t kRoundTicksUnset = 0;
    static constexpr uint8_t kRoundTicksOn = 1;
    static constexpr uint8_t kRoundTicksOff = 2;

    CViewPar();

    // Every field back to its default, the identifier list emptied.
    void Reset();
    void CopyFrom(const CViewPar& other);
    // False, and the list unchanged, when the list already holds kMaxIdentifiers entries.
    bool AddIdentifier(const std::string& identifier, bool clearFirst);
    void KeepFlagIdentifiers();
    void RemoveFlagIdentifiers();
    // A trade-signal identifier: longer than four characters and starting with "FLAG".
    static bool IsFlagIdentifier(const std::string& identifier);

    bool LogScale() const { return flagBytes[kLogScaleByte] == 1; }
    void SetLogScale(bool on) { flagBytes[kLogScaleByte] = on ? 1 : 0; }
    bool RoundTicks() const { return flagBytes[kRoundTicksByte] == kRoundTicksOn; }
    void SetRoundTicks(bool on) {
        flagBytes[kRoundTicksByte] = on ? kRoundTicksOn : kRoundTicksOff;
    }
    // What pane `pane` says when it keeps a linear scale because it holds a value at or below
    // 0, which has no logarithm.
    static std::string LinearScaleNotice(int pane);
    // A pane of a new chart takes round ticks unless its record chose otherwise.
    void DefaultToRoundTicks() {
        if (flagBytes[kRoundTicksByte] == kRoundTicksUnset)
            flagBytes[kRoundTicksByte] = kRoundTicksOn;
    }

    uint32_t frameColour = 0x808080;
    uint32_t backgroundColour = 0xFFFFFF;
    uint32_t titleColour = 0;
    uint32_t axisTextColour = 0x808080;
    int gridPenStyle = 2; // dotted
    int cellMaxX = 70;
    int cellMaxY = 50;
    int showVerticalGrid = 1;
    int showHorizontalGrid = 1;
    LOGFONT labelFont;
    LOGFONT axisFont;
    std::vector<std::string> identifiers;
    std::array<uint8_t, 256> flagBytes{};

    // Height 15, width 6, weight 400, not italic, "Arial".
    static LOGFONT DefaultFont();
};
