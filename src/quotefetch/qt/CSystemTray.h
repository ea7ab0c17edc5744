#pragma once
#include "quotefetch/CDownloaderTray.h"
#include <QObject>
#include <memory>

class QMenu;
class QSystemTrayIcon;

// The downloader's tray icon on the desktop: Qt's QSystemTrayIcon with the tip 513 and the
// tray menu 636 translated with CLanguage. A context click opens the menu at the cursor (the
// platform's right-button release), a double click restores. GUI thread only.
class CSystemTray : public QObject, public CDownloaderTray {
public:
    CSystemTray();
    ~CSystemTray() override;

    bool Available() const override;
    bool AddIcon() override;
    void RemoveIcon() override;
    bool HasIcon() const override;
    bool LoadMenu() override;
    void ShowMenu() override;

    QMenu* Menu() const { return m_menu.get(); }

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<QMenu> m_menu;
};
