#pragma once
#include <string>

// A menu as CLanguage::TranslateMenu sees it: items by position, each a separator, a command
// item with its command identifier or a pop-up with its sub-menu. Every item also carries its
// resource text: the text it had when the menu was built from the program's resources, which
// TranslateMenu gives back when translation is off. The Qt adapter wraps a QMenu or QMenuBar;
// tests use CMemoryMenu.
class CTranslatableMenu {
public:
    virtual ~CTranslatableMenu() = default;
    virtual unsigned ItemCount() const = 0;
    // For `pos` < ItemCount():
    virtual bool IsSeparator(unsigned pos) const = 0;
    virtual bool IsPopup(unsigned pos) const = 0;
    // The command identifier of a command item; 0 for a separator (pop-ups: not used).
    virtual unsigned ItemId(unsigned pos) const = 0;
    virtual std::string ItemText(unsigned pos) const = 0;
    virtual void SetItemText(unsigned pos, const std::string& text) = 0;
    virtual std::string ResourceText(unsigned pos) const = 0;
    // The sub-menu of a pop-up item; null for other items.
    virtual CTranslatableMenu* SubMenu(unsigned pos) = 0;
};

// The menu that the language-menu operations (CLanguage::List, Set, GetDescription) fill and
// read: items are appended at the end and found by command identifier.
class CLanguageMenu {
public:
    virtual ~CLanguageMenu() = default;
    virtual void AppendSeparator() = 0;
    virtual void AppendItem(unsigned command, const std::string& text) = 0;
    // The text of the item with that command identifier; empty when there is none.
    virtual std::string CommandText(unsigned command) const = 0;
    // Marks `selected` as the one chosen item of the radio group of commands first..last.
    virtual void CheckRadio(unsigned first, unsigned last, unsigned selected) = 0;
};
