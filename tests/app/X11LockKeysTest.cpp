// Run on a display of its own (xvfb-run): the test locks the modifiers and sets the
// indicators that X11LockKeys then reads over its own connection.
#include "app/qt/X11LockKeys.h"
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, Success) would break its declarations.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {
// Caps and num lock as the keys leave them: the locked modifiers that drive their indicators
// (Num Lock is Mod2 in the server's keymap).
void LockModifiers(Display* display, bool caps, bool num) {
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | Mod2Mask,
                     (caps ? LockMask : 0) | (num ? Mod2Mask : 0));
}

// No modifier is bound to scroll lock, but its indicator may be set directly.
bool SetIndicator(Display* display, const char* name, bool on) {
    const Atom atom = XInternAtom(display, name, False);
    return XkbSetNamedIndicator(display, atom, True, on ? True : False, False, nullptr);
}
} // namespace

TEST(X11LockKeysTest, IndicatorsOfTheServerAreRead) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    struct Row {
        bool caps, num, scroll;
    };
    const Row rows[] = {{true, false, false},
                        {false, true, false},
                        {false, false, true},
                        {true, true, true},
                        {false, false, false}};
    for (const Row& row : rows) {
        LockModifiers(display, row.caps, row.num);
        ASSERT_TRUE(SetIndicator(display, "Scroll Lock", row.scroll));
        XSync(display, False);
        const CStatusBarPanes::SLockKeys keys = X11LockKeys();
        EXPECT_EQ(keys.capsLock, row.caps);
        EXPECT_EQ(keys.numLock, row.num);
        EXPECT_EQ(keys.scrollLock, row.scroll);
    }
    XCloseDisplay(display);
}
