#include "MenuTable.h"

std::string_view MenuItemShortcut(std::string_view text) {
    const size_t tab = text.find('\t');
    return tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
}

const SMenuItem* FindMenuCommand(const CMenuTable& items, unsigned id) {
    for (const SMenuItem& item : items) {
        if (item.kind == SMenuItem::Kind::Command && item.id == id) return &item;
        if (item.kind != SMenuItem::Kind::Popup) continue;
        if (const SMenuItem* found = FindMenuCommand(item.items, id)) return found;
    }
    return nullptr;
}
