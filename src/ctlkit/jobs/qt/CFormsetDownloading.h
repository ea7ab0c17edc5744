#pragma once
#include <QDialog>
#include <atomic>
#include <memory>
#include <string>

class QFrame;
class QLabel;
class QMovie;
class QProgressBar;
class QPushButton;

// The progress dialog of one download (dialog 5004): the status text 5000 ("Downing Speed" at
// first) shows the transfer's status texts, the frame 5002 a busy animation and the button
// 5001 "Cancel" stops the download. Non-modal and without a parent, on the GUI thread; the job
// reaches it through CFormsetDownloadingSink. "Cancel", Escape and the window's close button
// all hide the dialog and set the cancelled flag, which the job's transfer watches.
class CFormsetDownloading : public QDialog {
public:
    static constexpr unsigned kDialogId = 5004;
    static constexpr unsigned kStatusTextId = 5000;
    static constexpr unsigned kCancelId = 5001;
    static constexpr unsigned kAnimationFrameId = 5002;

    // `programFolder`: where "System/filecopy.gif" is looked for. The dialog is translated as
    // dialog 5004 here.
    explicit CFormsetDownloading(std::string programFolder, QWidget* parent = nullptr);
    ~CFormsetDownloading() override;

    // The program folder the dialog was given.
    const std::string& GetAppPath() const { return m_programFolder; }

    void SetTitle(const std::string& title);
    void SetStatusText(const std::string& text);
    QString StatusText() const;

    // m_bCancelled, readable from any thread through the flag.
    bool IsCancelled() const { return m_bCancelled->load(); }
    std::shared_ptr<const std::atomic<bool>> CancelFlag() const { return m_bCancelled; }

    // The "Cancel" button: hides the dialog and sets the cancelled flag.
    void OnHide();
    // The job's close request: hides the dialog and leaves the flag as it is.
    void CloseRequest();

    // True when filecopy.gif plays; else an indeterminate bar shows that work goes on.
    bool Animated() const { return m_movie != nullptr; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    // Escape, and the close button through QDialog's close handling.
    void reject() override;

private:
    std::string m_programFolder;
    std::shared_ptr<std::atomic<bool>> m_bCancelled;
    QLabel* m_status = nullptr;
    QPushButton* m_cancel = nullptr;
    QFrame* m_frame = nullptr;
    QMovie* m_movie = nullptr;
    QProgressBar* m_busy = nullptr;
};
