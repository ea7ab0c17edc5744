#include "app/CStatusBarPanes.h"
#include "ctlkit/base/CPrompter.h"
#include <algorithm>
#include <utility>

CStatusBarPanes::CStatusBarPanes(LockKeysSource lockKeys)
    : m_lockKeys(std::move(lockKeys)), m_panes{{ID_SEPARATOR, EKind::Text, ""},
                                               {ID_INDICATOR_CAPS, EKind::CapsLock, ""},
                                               {ID_INDICATOR_NUM, EKind::NumLock, ""},
                                               {ID_INDICATOR_SCRL, EKind::ScrollLock, ""}} {
    // The blanks give the date pane its width before the first cursor read-out.
    AddPane(4, ID_INDICATOR_XCOORD, std::string(18, ' '));
    AddPane(5, ID_INDICATOR_YCOORD, "Y-Coordinate");
    AddPane(6, ID_INDICATOR_EXTRA, " ");
    SetPaneText(4, "X-Coordinate");
    SetPaneText(5, "Y-Coordinate");
}

bool CStatusBarPanes::AddPane(int index, unsigned id, std::string text) {
    if (index < 0 || index > Count() || IndexOf(id) >= 0) {
        CPrompter::Active().ShowMessage(kAddPaneRefused);
        return false;
    }
    m_panes.insert(m_panes.begin() + index, SPane{id, EKind::Text, std::move(text)});
    return true;
}

bool CStatusBarPanes::SetPaneText(int index, std::string text) {
    if (!ValidIndex(index) || m_panes[index].kind != EKind::Text) return false;
    m_panes[index].text = std::move(text);
    return true;
}

int CStatusBarPanes::IndexOf(unsigned id) const {
    const auto found =
        std::find_if(m_panes.begin(), m_panes.end(), [id](const SPane& p) { return p.id == id; });
    return found == m_panes.end() ? -1 : static_cast<int>(found - m_panes.begin());
}

std::string CStatusBarPanes::Text(int index) const {
    if (!ValidIndex(index)) return {};
    const SPane& pane = m_panes[index];
    const SLockKeys keys = LockKeys();
    switch (pane.kind) {
    case EKind::CapsLock:
        return keys.capsLock ? "CAP" : "";
    case EKind::NumLock:
        return keys.numLock ? "NUM" : "";
    case EKind::ScrollLock:
        return keys.scrollLock ? "SCRL" : "";
    case EKind::Text:
        break;
    }
    return pane.text;
}
