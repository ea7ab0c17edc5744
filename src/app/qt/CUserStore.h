#pragma once
#include "app/CRecentFileList.h"
#include <QByteArray>
#include <QSettings>
#include <string>

// The per-user store of the program (organisation and application "ZentriStock"): the recent
// files, the bar layout ("BarState") and the main window's placement ("Settings"/"WindowPos").
// On Linux it is $XDG_CONFIG_HOME/ZentriStock/ZentriStock.conf, so tests point
// XDG_CONFIG_HOME at a scratch folder.
class CUserStore {
public:
    CUserStore();

    CRecentFileList LoadRecentFiles();
    void SaveRecentFiles(const CRecentFileList& files);

    QByteArray BarState();
    void SetBarState(const QByteArray& state);

    std::string WindowPos();
    void SetWindowPos(const std::string& record);

    // The chart windows' crosshair ("Settings"/"Crosshair"), off until turned on.
    bool Crosshair();
    void SetCrosshair(bool on);

    // The file the store lives in, for the About dialog.
    std::string FileName() const { return m_settings.fileName().toStdString(); }

    // Writes what was set to disk now, not at destruction.
    void Flush() { m_settings.sync(); }

private:
    QSettings m_settings;
};
