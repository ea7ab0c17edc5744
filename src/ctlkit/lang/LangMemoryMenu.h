#pragma once
#include "LangMenu.h"
#include <memory>
#include <vector>

// A menu tree in memory, for tests and headless use. Items keep the text they were added with
// as their resource text.
class CMemoryMenu : public CTranslatableMenu, public CLanguageMenu {
public:
    // Appends a command item.
    void AddCommand(unsigned command, std::string text);
    // Appends a pop-up item and returns its (empty) sub-menu.
    CMemoryMenu& AddPopup(std::string text);
    // The sub-menu of the pop-up at `pos`.
    CMemoryMenu& Popup(unsigned pos);
    // Whether the item at `pos` carries the radio check mark.
    bool IsChecked(unsigned pos) const { return m_items.at(pos).checked; }

    unsigned ItemCount() const override { return static_cast<unsigned>(m_items.size()); }
    bool IsSeparator(unsigned pos) const override { return m_items.at(pos).separator; }
    bool IsPopup(unsigned pos) const override { return m_items.at(pos).popup != nullptr; }
    unsigned ItemId(unsigned pos) const override { return m_items.at(pos).id; }
    std::string ItemText(unsigned pos) const override { return m_items.at(pos).text; }
    void SetItemText(unsigned pos, const std::string& text) override {
        m_items.at(pos).text = text;
    }
    std::string ResourceText(unsigned pos) const override { return m_items.at(pos).resourceText; }
    CTranslatableMenu* SubMenu(unsigned pos) override { return m_items.at(pos).popup.get(); }

    void AppendSeparator() override;
    void AppendItem(unsigned command, const std::string& text) override {
        AddCommand(command, text);
    }
    std::string CommandText(unsigned command) const override;
    void CheckRadio(unsigned first, unsigned last, unsigned selected) override;

private:
    struct Item {
        unsigned id = 0;
        bool separator = false;
        bool checked = false;
        std::string text;
        std::string resourceText;
        std::unique_ptr<CMemoryMenu> popup;
    };
    std::vector<Item> m_items;
};
