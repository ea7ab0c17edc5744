#pragma once
#include "CDownloaderTray.h"
#include <string>

// What the tray does to the downloader's window.
class CTrayWindow {
public:
    virtual ~CTrayWindow() = default;
    // Minimises and hides the window: the program lives in the tray.
    virtual void HideToTray() = 0;
    // Shows the window as it was before it went to the tray, in front.
    virtual void Restore() = 0;
    // A line of the window's log.
    virtual void AddLogLine(const std::string& text) = 0;
    // A message box.
    virtual void ShowMessage(const std::string& text) = 0;
    // A tray menu command other than Restore (Start, Stop, Close, About).
    virtual void TrayCommand(unsigned command) = 0;
};

// Where the downloader lives: in the tray or shown. At start the icon is added, the menu
// loaded ("Unabled to Load menu" when it cannot be) and the window hidden to the tray. A
// right-button release opens the menu; a left double click or "Restore" removes the icon and
// restores the window; minimising hides it to the tray again; the icon goes at exit.
// Without a tray, or when the tray refuses the icon, the window stays shown (hidden, it could
// be neither reached nor closed) and "Unable to Set Tary Icon" is logged, once per run.
class CTrayPresence {
public:
    // Both outlive the presence; the tray's handlers are set here.
    CTrayPresence(CDownloaderTray& tray, CTrayWindow& window);
    ~CTrayPresence();
    CTrayPresence(const CTrayPresence&) = delete;
    CTrayPresence& operator=(const CTrayPresence&) = delete;

    // The window was created.
    void Start();
    // The user minimised the window.
    void Minimised();
    // The window came back by other means (the window system): the icon goes.
    void Restored();
    // The program ends.
    void Exit();

    // The window is hidden in the tray.
    bool InTray() const { return m_inTray; }
    // The tray took the icon at least once: minimising hides to it.
    bool TrayUsable() const { return m_usable; }

private:
    bool GoToTray();
    void RestoreWindow();
    void OnEvent(CDownloaderTray::EEvent event);
    void OnCommand(unsigned command);

    CDownloaderTray& m_tray;
    CTrayWindow& m_window;
    bool m_inTray = false;
    bool m_usable = false;
    bool m_menuTried = false;
    bool m_menuLoaded = false;
    bool m_refusalLogged = false;
};
