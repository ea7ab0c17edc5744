#include "CUserStore.h"

namespace {
constexpr const char* kBarState = "BarState";
constexpr const char* kWindowPos = "Settings/WindowPos";
} // namespace

CUserStore::CUserStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, "ZentriStock", "ZentriStock") {}

CRecentFileList CUserStore::LoadRecentFiles() {
    CRecentFileList files;
    m_settings.beginGroup(CRecentFileList::kSection);
    files.Load([&](const std::string& key) {
        return m_settings.value(QString::fromStdString(key)).toString().toStdString();
    });
    m_settings.endGroup();
    return files;
}

void CUserStore::SaveRecentFiles(const CRecentFileList& files) {
    m_settings.beginGroup(CRecentFileList::kSection);
    files.Save([&](const std::string& key, const std::string& value) {
        m_settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    });
    m_settings.endGroup();
}

QByteArray CUserStore::BarState() {
    return m_settings.value(kBarState).toByteArray();
}

void CUserStore::SetBarState(const QByteArray& state) {
    m_settings.setValue(kBarState, state);
}

std::string CUserStore::WindowPos() {
    return m_settings.value(kWindowPos).toString().toStdString();
}

void CUserStore::SetWindowPos(const std::string& record) {
    m_settings.setValue(kWindowPos, QString::fromStdString(record));
}

bool CUserStore::Crosshair() {
    return m_settings.value("Settings/Crosshair", false).toBool();
}

void CUserStore::SetCrosshair(bool on) {
    m_settings.setValue("Settings/Crosshair", on);
}
