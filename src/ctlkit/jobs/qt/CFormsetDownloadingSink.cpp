#include "CFormsetDownloadingSink.h"
#include "CFormsetDownloading.h"
#include <QCoreApplication>
#include <QMetaObject>

CFormsetDownloadingSink::CFormsetDownloadingSink(CFormsetDownloading* dialog)
    : m_dialog(dialog), m_cancelFlag(dialog ? dialog->CancelFlag() : nullptr),
      m_guiThread(std::this_thread::get_id()) {}

CFormsetDownloadingSink::~CFormsetDownloadingSink() {
    auto finish = [dialog = m_dialog] {
        if (!dialog) return;
        dialog->CloseRequest();
        dialog->deleteLater();
    };
    if (std::this_thread::get_id() == m_guiThread) {
        finish();
        return;
    }
    // The last hold was let go on a worker (its window detached meanwhile): the widget is
    // touched on the GUI thread only.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, finish, Qt::QueuedConnection);
}

void CFormsetDownloadingSink::SetTitle(const std::string& title) {
    if (m_dialog) m_dialog->SetTitle(title);
}

void CFormsetDownloadingSink::SetStatusText(const std::string& text) {
    if (m_dialog) m_dialog->SetStatusText(text);
}

bool CFormsetDownloadingSink::IsCancelled() {
    return !m_dialog || m_dialog->IsCancelled();
}

void CFormsetDownloadingSink::Close() {
    if (m_dialog) m_dialog->CloseRequest();
}
