#include "LangMemoryMenu.h"

void CMemoryMenu::AddCommand(unsigned command, std::string text) {
    Item item;
    item.id = command;
    item.resourceText = text;
    item.text = std::move(text);
    m_items.push_back(std::move(item));
}

CMemoryMenu& CMemoryMenu::AddPopup(std::string text) {
    Item item;
    item.resourceText = text;
    item.text = std::move(text);
    item.popup = std::make_unique<CMemoryMenu>();
    m_items.push_back(std::move(item));
    return *m_items.back().popup;
}

CMemoryMenu& CMemoryMenu::Popup(unsigned pos) {
    return *m_items.at(pos).popup;
}

void CMemoryMenu::AppendSeparator() {
    Item item;
    item.separator = true;
    m_items.push_back(std::move(item));
}

std::string CMemoryMenu::CommandText(unsigned command) const {
    for (const Item& item : m_items)
        if (!item.separator && !item.popup && item.id == command) return item.text;
    return {};
}

void CMemoryMenu::CheckRadio(unsigned first, unsigned last, unsigned selected) {
    for (Item& item : m_items)
        if (!item.separator && !item.popup && item.id >= first && item.id <= last)
            item.checked = item.id == selected;
}
