#pragma once
#include <string>
#include <string_view>
#include <vector>

// One item of a menu as a window declares it: a command with its identifier, a separator, or
// a pop-up with its items. A text keeps the resource conventions: "&" marks the mnemonic, and
// the part after a tab is the shortcut ("&Open...\tCtrl+O"). Each window writes a table of its
// own menus; the Qt builders (qt/MenuBuilder.h) make the menu bar or a context menu from it,
// and the translation keys follow from it (a pop-up's position, a command's identifier).
struct SMenuItem {
    enum class Kind { Command, Separator, Popup };

    static SMenuItem Command(unsigned id, std::string text) {
        return {Kind::Command, id, std::move(text), {}};
    }
    static SMenuItem Separator() { return {Kind::Separator, 0, {}, {}}; }
    static SMenuItem Popup(std::string text, std::vector<SMenuItem> items) {
        return {Kind::Popup, 0, std::move(text), std::move(items)};
    }

    Kind kind = Kind::Command;
    unsigned id = 0; // commands only
    std::string text;
    std::vector<SMenuItem> items; // pop-ups only
};

using CMenuTable = std::vector<SMenuItem>;

// The shortcut part of an item text: everything after the first tab ("" when there is none).
std::string_view MenuItemShortcut(std::string_view text);

// The command item with identifier `id`, searched depth first; null when there is none.
const SMenuItem* FindMenuCommand(const CMenuTable& items, unsigned id);
