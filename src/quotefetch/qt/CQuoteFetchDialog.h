#pragma once
#include "quotefetch/CTrayPresence.h"
#include "quotefetch/SImportRequest.h"
#include <QDialog>
#include <functional>
#include <optional>

class CDownloaderTray;
class CFetchDialogModel;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// The downloader's main dialog "ZentriStock Data Downloader": the prompt 501 and the count
// line, the log, the status text 1016, the transfer's status texts (1014), the progress bar,
// and Start, Stop, Select, Import and About. It draws its model (CFetchDialogModel) and lives
// in the tray (CTrayPresence) when the desktop has one. Escape does nothing (a run would end
// by accident); closing it, or the tray's "Close", ends the program (onClosed).
// Translated as dialog 102 here.
class CQuoteFetchDialog : public QDialog, private CTrayWindow {
public:
    static constexpr unsigned kDialogId = 102;
    static constexpr unsigned kStartId = 1000;
    static constexpr unsigned kStopId = 1001;
    static constexpr unsigned kSelectId = 1002;
    static constexpr unsigned kImportId = 1003;
    static constexpr unsigned kAboutId = 1004;
    static constexpr unsigned kLogId = 1005;
    static constexpr unsigned kProgressId = 1006;
    static constexpr unsigned kPromptId = 1007;
    static constexpr unsigned kCountId = 1008;
    static constexpr unsigned kFetchStatusId = 1014;
    static constexpr unsigned kStatusTextId = 1016;

    // The model and the tray outlive the dialog.
    CQuoteFetchDialog(CFetchDialogModel& model, CDownloaderTray& tray, QWidget* parent = nullptr);
    ~CQuoteFetchDialog() override;

    // Shows the dialog and sends it to the tray when there is one.
    void Open();

    // The other windows, set by the program; a button whose window is not set is disabled.
    // "Select": the stock selection dialog, whose OK saves the selection.
    std::function<void(QWidget& parent)> selectStocks;
    // "Import": the import dialog; its answer, or nothing when cancelled.
    std::function<std::optional<SImportRequest>(QWidget& parent)> askImport;
    // "About" and the tray's "About Downloader...".
    std::function<void(QWidget& parent)> showAbout;
    // The dialog was closed: the program ends.
    std::function<void()> onClosed;

    // Draws the model again (also after the hooks above were set).
    void Refresh();

    const CTrayPresence& Tray() const { return m_presence; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* StopButton() const { return m_stop; }
    QPushButton* SelectButton() const { return m_select; }
    QPushButton* ImportButton() const { return m_import; }
    QPushButton* AboutButton() const { return m_about; }
    QListWidget* Log() const { return m_log; }
    QProgressBar* Progress() const { return m_progress; }
    QLabel* CountLine() const { return m_count; }
    QLabel* StatusText() const { return m_status; }
    QLabel* FetchStatusText() const { return m_fetchStatus; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // CTrayWindow
    void HideToTray() override;
    void Restore() override;
    void AddLogLine(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void TrayCommand(unsigned command) override;

    void OnSelect();
    void OnImport();
    void OnAbout();

    CFetchDialogModel& m_model;
    CTrayPresence m_presence;
    bool m_closed = false;
    QLabel* m_prompt = nullptr;
    QLabel* m_count = nullptr;
    QListWidget* m_log = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_fetchStatus = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_select = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_about = nullptr;
};
