#include "X11LockKeys.h"
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {
struct SKeyboard {
    Display* display = nullptr;
    unsigned capsBit = 0;
    unsigned numBit = 0;
    unsigned scrollBit = 0;
};

// 0 when the keymap names no such indicator, so the key always reads as off.
unsigned IndicatorBit(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, False);
    int index = -1;
    if (atom == None || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
        return 0;
    return index >= 0 && index < 32 ? 1u << index : 0;
}

SKeyboard OpenKeyboard() {
    SKeyboard keyboard;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbLibraryVersion(&major, &minor)) return keyboard;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return keyboard;
    int opcode = 0, event = 0, error = 0;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return keyboard;
    }
    keyboard.display = display;
    keyboard.capsBit = IndicatorBit(display, "Caps Lock");
    keyboard.numBit = IndicatorBit(display, "Num Lock");
    keyboard.scrollBit = IndicatorBit(display, "Scroll Lock");
    return keyboard;
}
} // namespace

CStatusBarPanes::SLockKeys X11LockKeys() {
    // Kept open for the whole run: the status bar asks four times a second.
    static const SKeyboard keyboard = OpenKeyboard();
    CStatusBarPanes::SLockKeys keys;
    unsigned state = 0;
    if (!keyboard.display ||
        XkbGetIndicatorState(keyboard.display, XkbUseCoreKbd, &state) != Success)
        return keys;
    keys.capsLock = (state & keyboard.capsBit) != 0;
    keys.numLock = (state & keyboard.numBit) != 0;
    keys.scrollLock = (state & keyboard.scrollBit) != 0;
    return keys;
}
