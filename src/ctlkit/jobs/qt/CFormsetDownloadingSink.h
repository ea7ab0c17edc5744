#pragma once
#include "ctlkit/jobs/CDownloadProgressSink.h"
#include <QPointer>
#include <thread>

class CFormsetDownloading;

// A progress dialog as its job holds it: a weak hold on the widget, which its owner
// (CDownloadDialogs) may close before the job ends. Called on the GUI thread only (the job
// goes through CLoopProgressSink). Once the dialog is gone every call does nothing and
// IsCancelled answers true. Released, it closes and deletes its dialog on the GUI thread.
class CFormsetDownloadingSink : public CDownloadProgressSink {
public:
    explicit CFormsetDownloadingSink(CFormsetDownloading* dialog);
    ~CFormsetDownloadingSink() override;
    CFormsetDownloadingSink(const CFormsetDownloadingSink&) = delete;
    CFormsetDownloadingSink& operator=(const CFormsetDownloadingSink&) = delete;

    void SetTitle(const std::string& title) override;
    void SetStatusText(const std::string& text) override;
    bool IsCancelled() override;
    void Close() override;
    std::shared_ptr<const std::atomic<bool>> CancelFlag() const override { return m_cancelFlag; }

    CFormsetDownloading* Dialog() const { return m_dialog.data(); }

private:
    QPointer<CFormsetDownloading> m_dialog;
    // The dialog's flag, kept beyond the dialog: the transfer may still read it.
    std::shared_ptr<const std::atomic<bool>> m_cancelFlag;
    std::thread::id m_guiThread;
};
