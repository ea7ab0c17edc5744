#pragma once
#include "app/CStatusBarPanes.h"

// The caps, num and scroll lock states as the X server's keyboard indicators show them. The
// display is opened on the first call and kept; without an X display (offscreen platform,
// Wayland without Xwayland) every key reads as off.
CStatusBarPanes::SLockKeys X11LockKeys();
