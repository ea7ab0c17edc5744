#pragma once
#include <functional>
#include <string>
#include <vector>

// Pane identifiers: the framework's message pane and lock-key indicators, then the
// program's own panes where the chart view writes the cursor's date and price.
inline constexpr unsigned ID_SEPARATOR = 0;
inline constexpr unsigned ID_INDICATOR_CAPS = 0xE701;
inline constexpr unsigned ID_INDICATOR_NUM = 0xE702;
inline constexpr unsigned ID_INDICATOR_SCRL = 0xE703;
inline constexpr unsigned ID_INDICATOR_XCOORD = 0xE710;
inline constexpr unsigned ID_INDICATOR_YCOORD = 0xE711;
inline constexpr unsigned ID_INDICATOR_EXTRA = 0xE712;

// The main frame's status bar, left to right: message, caps lock, num lock, scroll lock and
// the program's three panes. The lock indicators show their key's state when asked.
class CStatusBarPanes {
public:
    struct SLockKeys {
        bool capsLock = false;
        bool numLock = false;
        bool scrollLock = false;
    };
    using LockKeysSource = std::function<SLockKeys()>;

    static constexpr const char* kAddPaneRefused =
        "Pane index out of range\nor pane with same ID already exists in the status bar";

    // The seven panes with their start-up texts; `lockKeys` reports the keys' states.
    explicit CStatusBarPanes(LockKeysSource lockKeys);

    // Inserts a text pane before `index` (0 to Count()). A pane whose index is out of range
    // or whose identifier is taken is refused, reported through the active prompter.
    bool AddPane(int index, unsigned id, std::string text);
    // The text of a message or program pane; lock indicators follow their key and refuse.
    bool SetPaneText(int index, std::string text);

    int Count() const { return static_cast<int>(m_panes.size()); }
    // -1 when no pane has `id`.
    int IndexOf(unsigned id) const;
    // What the pane shows now: "CAP", "NUM", "SCRL" for a lock key that is on, empty when off
    // and for an index out of range.
    std::string Text(int index) const;

private:
    enum class EKind { Text, CapsLock, NumLock, ScrollLock };
    struct SPane {
        unsigned id;
        EKind kind;
        std::string text;
    };

    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
    SLockKeys LockKeys() const { return m_lockKeys ? m_lockKeys() : SLockKeys{}; }

    LockKeysSource m_lockKeys;
    std::vector<SPane> m_panes;
};
