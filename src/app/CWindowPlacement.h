#pragma once
#include "ctlkit/dc/CDC.h"
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Show states and placement flags with the numbers of the original platform, as stored.
inline constexpr unsigned SW_SHOWNORMAL = 1;
inline constexpr unsigned SW_SHOWMINIMIZED = 2;
inline constexpr unsigned SW_SHOWMAXIMIZED = 3;
inline constexpr unsigned WPF_RESTORETOMAXIMIZED = 2;

// The main window's placement as the per-user store keeps it under "Settings"/"WindowPos":
// ten numbers "flags,show state,min x,min y,max x,max y,left,top,right,bottom".
class CWindowPlacement {
public:
    unsigned flags = 0;
    unsigned showCmd = SW_SHOWNORMAL;
    CPoint minPosition;
    CPoint maxPosition;
    CRect normalPosition;

    // The stored text; nothing unless it holds exactly ten numbers of the stored form whose
    // normal rectangle has sides from 0 to 65535.
    static std::optional<CWindowPlacement> Parse(std::string_view text);
    std::string Format() const;

    // The record to store when the window closes, from the placement the window reports.
    // A window closed minimised gets show state 3, so it starts maximised.
    static CWindowPlacement ForClosing(const CWindowPlacement& current, bool maximised);

    // On the next start: maximised for show state 3, else normal in `normalPosition`.
    bool StartsMaximised() const { return showCmd == SW_SHOWMAXIMIZED; }

    // The placement with a normal rectangle that touches none of `screens` moved onto the
    // first (primary) screen, its size kept as far as the screen allows.
    CWindowPlacement OnScreens(std::span<const CRect> screens) const;

    friend bool operator==(const CWindowPlacement&, const CWindowPlacement&) = default;
};
