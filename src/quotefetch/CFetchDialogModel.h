#pragma once
#include "CFetchRun.h"
#include "MetaStockImporter.h"
#include "SImportRequest.h"
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CLoopMessageTarget;
class CMThreadedJobQ;
class CStockSelection;
class CUiThreadLoop;

// The downloader's main dialog without its widgets: the run over the selection and the
// import, and everything the dialog shows of them: which buttons can be pressed, the log,
// the status text 1016, the transfer's status texts (control 1014), the progress bar and the
// count line ("<n> stocks selected."). The widgets draw it after every change (onChanged).
//
// Start and Select can be pressed while no run goes on and no job is out: after Stop they
// stay disabled until the running job reports, because Start does nothing until then. Stop
// can be pressed while a run goes on and was not told to stop. Import can be pressed when
// Start can; while an import runs nothing else starts. Everything here is called on the loop's
// thread (the GUI thread); the jobs reach it through Window().
class CFetchDialogModel : public CFetchRunView {
public:
    // The selection, loop and queue outlive the model.
    CFetchDialogModel(CStockSelection& selection, CUiThreadLoop& loop, CMThreadedJobQ& queue);
    ~CFetchDialogModel() override;
    CFetchDialogModel(const CFetchDialogModel&) = delete;
    CFetchDialogModel& operator=(const CFetchDialogModel&) = delete;

    // The data folder, service and proxy of every job; `status` is made here (control 1014).
    void SetJobSettings(CFetchRun::SJobSettings settings);
    CFetchRun& Run() { return m_run; }
    // The window the jobs report to; detached by Close() or the destructor.
    const std::shared_ptr<CLoopMessageTarget>& Window() const { return m_window; }

    void Start();
    void Stop();
    // Imports the request's files on the queue; the data folder of the job settings unless the
    // request names one. The log shows the importer's messages and, at the end, one line per
    // file with its counts (ImportReportLine).
    void StartImport(SImportRequest request);
    // The window goes: later results are dropped.
    void Close();

    bool CanStart() const;
    bool CanStop() const;
    bool CanSelect() const { return CanStart(); }
    bool CanImport() const { return CanStart(); }
    bool Importing() const { return m_importing; }

    const std::vector<std::string>& LogLines() const { return m_log; }
    const std::string& StatusText() const { return m_statusText; }
    const std::string& FetchStatusText() const { return m_fetchStatus; }
    int ProgressLow() const { return m_progressLow; }
    int ProgressHigh() const { return m_progressHigh; }
    int ProgressPosition() const { return m_progressPosition; }
    // "<n> " + 503.
    std::string CountLine() const;
    // Of the last import that ended.
    const std::vector<SImportFileReport>& ImportReports() const { return m_reports; }

    // "<file name>: <result>, <a> added, <r> replaced, <k> kept, <s> skipped, <b> bad lines".
    static std::string ImportReportLine(const SImportFileReport& report);

    // Something shown changed.
    std::function<void()> onChanged;
    // A message box (CPrompter::Active() unless set).
    std::function<void(const std::string&)> onMessage;

    // CFetchRunView
    void ShowMessage(const std::string& text) override;
    void AddLogLine(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void EnableRunButtons(bool enabled) override;
    void RecordStarted(const SSelectedStock& stock) override;
    void RunEnded(EFetchRunEnd end) override;

    // The transfer's status text, on the loop's thread.
    void SetFetchStatusText(const std::string& text);

private:
    long HandleMessage(const SWindowMessage& message);
    void ImportEnded(std::vector<SImportFileReport> reports);
    void Changed() const;

    CStockSelection& m_selection;
    CMThreadedJobQ& m_queue;
    std::shared_ptr<CLoopMessageTarget> m_window;
    CFetchRun m_run;
    std::string m_dataFolder;
    std::vector<std::string> m_log;
    std::string m_statusText;
    std::string m_fetchStatus;
    int m_progressLow = 0;
    int m_progressHigh = 0;
    int m_progressPosition = 0;
    bool m_importing = false;
    std::vector<SImportFileReport> m_reports;
};
