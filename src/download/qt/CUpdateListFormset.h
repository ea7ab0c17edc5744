#pragma once
#include "CUpdateListChoice.h"
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CLoopMessageTarget;
class CMarketUpdateSink;
class CUiThreadLoop;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The "Update List" dialog: a check list of the markets ("<full name> (<code>)"), "Start" and
// "Close", a progress bar of two steps per chosen market, the log of the update and the status
// text 1060 of the transfer. Non-modal, on the GUI thread; the update loop and its jobs reach
// it through Sink(). Closing or hiding it (Close, Escape, the close button, hide()) stops the
// update: its window detaches, so the running job counts it as hidden and writes nothing, and
// every later call answers at once. A stopped dialog deletes itself.
class CUpdateListFormset : public QDialog {
public:
    static constexpr unsigned kDialogId = 310;
    static constexpr unsigned kStartId = 1;
    static constexpr unsigned kCloseId = 2;
    static constexpr unsigned kMarketsId = CUpdateListChoice::kMarketsId;
    static constexpr unsigned kProgressId = 1059;
    static constexpr unsigned kStatusTextId = 1060;
    static constexpr unsigned kLogId = 1061;
    static constexpr unsigned kCopyLogId = 1062;
    static constexpr unsigned kCheckAllId = 1063;
    static constexpr unsigned kMarketsLabelId = 1064;
    static constexpr unsigned kLogLabelId = 1065;
    static constexpr unsigned kFromFileId = 1066;

    // Asks for the list file of `market`; nullopt when the user cancels.
    using FileQuestion =
        std::function<std::optional<std::string>(QWidget* parent, const std::string& market)>;
    // Replaces the file chooser (tests answer it); an empty one restores QFileDialog. Returns
    // the one it replaces.
    static FileQuestion SetFileQuestion(FileQuestion question);

    // Translated as dialog 310 here.
    CUpdateListFormset(CUpdateListChoice choice, CUiThreadLoop& loop, QWidget* parent = nullptr);
    ~CUpdateListFormset() override;

    // "Start" with the checked codes in list order; only called when at least one is checked
    // (else the refusal names the field and the dialog stays as it is).
    std::function<void(const std::vector<std::string>& markets)> onStart;
    // "From File...": the current market's list from a file the user chose (a symbol list or
    // a symbol directory).
    std::function<void(const std::string& market, const std::string& path)> onStartFromFile;
    // The dialog was closed or hidden, by the user or at the end of the update.
    std::function<void()> onStopped;
    // The update loop's view of this dialog, for any thread.
    std::shared_ptr<CMarketUpdateSink> Sink();

    const CUpdateListChoice& Choice() const { return m_choice; }
    bool Stopped() const { return m_stopped; }
    bool Started() const { return m_started; }

    // The sink's calls, on the GUI thread.
    bool ShowsUpdate() const;
    void SetProgressRange(int steps);
    void SetProgress(int position);
    void AppendLog(const std::string& text);
    void SetStatusText(const std::string& text);
    // The loop's close request at its end.
    void CloseRequest();

    // The log as appended, every line with its "\n".
    const std::string& LogText() const { return m_log; }
    QString StatusText() const;
    // The whole log to the clipboard.
    void CopyLog();

    QListWidget* Markets() const { return m_markets; }
    QProgressBar* Progress() const { return m_progress; }
    QPlainTextEdit* Log() const { return m_logView; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* CloseButton() const { return m_close; }
    QPushButton* CopyButton() const { return m_copy; }
    QPushButton* CheckAllButton() const { return m_checkAll; }
    QPushButton* FromFileButton() const { return m_fromFile; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void OnStart();
    void OnFromFile();
    void MarkStarted();
    void Stop();
    void ReadChecks();

    CUpdateListChoice m_choice;
    std::shared_ptr<CLoopMessageTarget> m_window;
    std::string m_log;
    bool m_stopped = false;
    bool m_started = false;
    QListWidget* m_markets = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPlainTextEdit* m_logView = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_checkAll = nullptr;
    QPushButton* m_fromFile = nullptr;
};
