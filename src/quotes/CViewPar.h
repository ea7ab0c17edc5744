#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <array>
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
