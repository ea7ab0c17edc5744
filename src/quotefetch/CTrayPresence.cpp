#include "CTrayPresence.h"
#include "FixedTexts.h"
#include "TrayMenu.h"
#include "ctlkit/lang/CLanguage.h"

CTrayPresence::CTrayPresence(CDownloaderTray& tray, CTrayWindow& window)
    : m_tray(tray), m_window(window) {
    m_tray.SetHandlers([this](CDownloaderTray::EEvent event) { OnEvent(event); },
                       [this](unsigned command) { OnCommand(command); });
}

CTrayPresence::~CTrayPresence() {
    m_tray.SetHandlers(nullptr, nullptr);
}

void CTrayPresence::Start() {
    GoToTray();
}

bool CTrayPresence::GoToTray() {
    if (m_inTray) return true;
    if (!m_tray.HasIcon() && !(m_tray.Available() && m_tray.AddIcon())) {
        if (!m_refusalLogged) {
            m_refusalLogged = true;
            m_window.AddLogLine(CLanguage::TranslateText(kCannotSetTrayIcon, kCannotSetTrayIcon));
        }
        return false;
    }
    m_usable = true;
    if (!m_menuTried) {
        m_menuTried = true;
        m_menuLoaded = m_tray.LoadMenu();
        if (!m_menuLoaded)
            m_window.ShowMessage(CLanguage::TranslateText(kCannotLoadTrayMenu, kCannotLoadTrayMenu));
    }
    m_inTray = true;
    m_window.HideToTray();
    return true;
}

void CTrayPresence::Minimised() {
    // Without a tray the window stays minimised where the window system keeps it.
    GoToTray();
}

void CTrayPresence::Restored() {
    m_inTray = false;
    if (m_tray.HasIcon()) m_tray.RemoveIcon();
}

void CTrayPresence::Exit() {
    m_inTray = false;
    if (m_tray.HasIcon()) m_tray.RemoveIcon();
}

void CTrayPresence::RestoreWindow() {
    Restored();
    m_window.Restore();
}

void CTrayPresence::OnEvent(CDownloaderTray::EEvent event) {
    switch (event) {
    case CDownloaderTray::EEvent::RightButtonUp:
        if (m_menuLoaded) m_tray.ShowMenu();
        break;
    case CDownloaderTray::EEvent::LeftDoubleClick:
        RestoreWindow();
        break;
    }
}

void CTrayPresence::OnCommand(unsigned command) {
    if (command == kTrayRestore) return RestoreWindow();
    m_window.TrayCommand(command);
}
