#pragma once
#include "ctlkit/dc/CDC.h"

// The strip of the 40 icons a user can place, 18 x 18 pixels each side by side, drawn in
// code: bull, bear, smile, fair face, sad face, yeah, good and bad gesture, the up, down,
// up-left, up-right, down-left and down-right arrows, the hands pointing left, right, up and
// down, boom, dead, flag, triangle flag, sun, snow, star, moon, the twelve zodiac signs from
// aries to pisces, exclamation mark and question mark. White is transparent.
namespace IconStrip {
inline constexpr int kIconSize = 18;
inline constexpr int kIconCount = 40;
inline constexpr COLORREF kTransparent = 0xFFFFFF;

// Built once, on first use.
const SImage& Image();
} // namespace IconStrip
