#include "CFetchDialogModel.h"
#include "CImportJob.h"
#include "CStockSelection.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/lang/CLanguage.h"
#include <filesystem>

namespace {
// The transfer's status texts (control 1014), shown on the window's thread.
class CWindowStatusText : public CStatusTextSink {
public:
    CWindowStatusText(std::shared_ptr<CLoopMessageTarget> window, CFetchDialogModel& model)
        : m_window(std::move(window)), m_model(model) {}
    void SetStatusText(const std::string& text) override {
        m_window->Call<bool>(
            [this, text] {
                m_model.SetFetchStatusText(text);
                return true;
            },
            false);
    }

private:
    std::shared_ptr<CLoopMessageTarget> m_window;
    CFetchDialogModel& m_model; // reached only while the window is attached
};

// The importer's lines, each added to the window's log before the importer goes on.
class CWindowImportLog : public CImportLog {
public:
    CWindowImportLog(std::shared_ptr<CLoopMessageTarget> window, CFetchDialogModel& model)
        : m_window(std::move(window)), m_model(model) {}
    void Line(const std::string& text) override {
        m_window->Call<bool>(
            [this, text] {
                m_model.AddLogLine(text);
                return true;
            },
            false);
    }

private:
    std::shared_ptr<CLoopMessageTarget> m_window;
    CFetchDialogModel& m_model;
};

// An import that tells the window when it is over, with the report of every file.
class CWindowImportJob : public CImportJob {
public:
    using Ended = std::function<void(std::vector<SImportFileReport>)>;
    CWindowImportJob(SImportRequest request, std::shared_ptr<CImportLog> log,
                     std::shared_ptr<CLoopMessageTarget> window, Ended ended)
        : CImportJob(std::move(request.files), std::move(request.options), std::move(log),
                     window),
          m_window(std::move(window)), m_ended(std::move(ended)) {}

    void execute() override {
        CImportJob::execute();
        m_window->Call<bool>(
            [this] {
                m_ended(Reports());
                return true;
            },
            false);
    }

private:
    std::shared_ptr<CLoopMessageTarget> m_window;
    Ended m_ended;
};
} // namespace

CFetchDialogModel::CFetchDialogModel(CStockSelection& selection, CUiThreadLoop& loop,
                                     CMThreadedJobQ& queue)
    : m_selection(selection), m_queue(queue),
      m_window(CLoopMessageTarget::Create(
          loop, [this](const SWindowMessage& message) { return HandleMessage(message); })),
      m_run(selection, queue, *this) {
    m_run.SetNotifyWindow(m_window);
    // The count line follows the selection.
    m_selection.AddChangeListener([this] { Changed(); });
}

CFetchDialogModel::~CFetchDialogModel() {
    Close();
}

void CFetchDialogModel::Close() {
    m_window->Detach();
}

void CFetchDialogModel::SetJobSettings(CFetchRun::SJobSettings settings) {
    m_dataFolder = settings.dataFolder;
    settings.status = std::make_shared<CWindowStatusText>(m_window, *this);
    m_run.SetJobSettings(std::move(settings));
}

bool CFetchDialogModel::CanStart() const {
    return !m_importing && !m_run.Running() && !m_run.JobPending();
}

bool CFetchDialogModel::CanStop() const {
    return m_run.Running() && !m_run.StopRequested();
}

std::string CFetchDialogModel::CountLine() const {
    return std::to_string(m_selection.Count()) + " " +
           CLanguage::TranslateString(503).value_or("");
}

void CFetchDialogModel::Start() {
    if (!CanStart()) return;
    m_run.Start();
    Changed();
}

void CFetchDialogModel::Stop() {
    if (!CanStop()) return;
    m_run.Stop();
    Changed();
}

void CFetchDialogModel::StartImport(SImportRequest request) {
    if (!CanImport()) return;
    if (request.files.empty()) {
        ShowMessage(CLanguage::TranslateText(kNoEodDataSelected, kNoEodDataSelected));
        return;
    }
    if (request.options.dataFolder.empty()) request.options.dataFolder = m_dataFolder;
    m_importing = true;
    m_reports.clear();
    SetProgressRange(0, static_cast<int>(request.files.size()));
    SetProgressPosition(0);
    auto log = std::make_shared<CWindowImportLog>(m_window, *this);
    m_queue.addJob(new CWindowImportJob(
        std::move(request), std::move(log), m_window,
        [this](std::vector<SImportFileReport> reports) { ImportEnded(std::move(reports)); }));
    Changed();
}

void CFetchDialogModel::ImportEnded(std::vector<SImportFileReport> reports) {
    m_importing = false;
    m_reports = std::move(reports);
    for (const SImportFileReport& report : m_reports) m_log.push_back(ImportReportLine(report));
    Changed();
}

std::string CFetchDialogModel::ImportReportLine(const SImportFileReport& report) {
    const SQuoteDayMergeCounts& c = report.counts;
    return std::filesystem::path(report.file).filename().string() + ": " +
           ImportFileResultName(report.result) + ", " + std::to_string(c.added) + " added, " +
           std::to_string(c.replaced) + " replaced, " + std::to_string(c.kept) + " kept, " +
           std::to_string(c.skipped) + " skipped, " + std::to_string(report.badLines) +
           " bad lines";
}

long CFetchDialogModel::HandleMessage(const SWindowMessage& message) {
    if (message.message == WM_IMPORT_PROGRESS) {
        SetProgressPosition(static_cast<int>(message.lParam));
        return 1;
    }
    const long answer = m_run.HandleMessage(message);
    Changed();
    return answer;
}

void CFetchDialogModel::ShowMessage(const std::string& text) {
    if (onMessage)
        onMessage(text);
    else
        CPrompter::Active().ShowMessage(text);
}

void CFetchDialogModel::AddLogLine(const std::string& text) {
    m_log.push_back(text);
    Changed();
}

void CFetchDialogModel::SetStatusText(const std::string& text) {
    m_statusText = text;
    Changed();
}

void CFetchDialogModel::SetFetchStatusText(const std::string& text) {
    m_fetchStatus = text;
    Changed();
}

void CFetchDialogModel::SetProgressRange(int low, int high) {
    m_progressLow = low;
    m_progressHigh = high;
    Changed();
}

void CFetchDialogModel::SetProgressPosition(int position) {
    m_progressPosition = position;
    Changed();
}

void CFetchDialogModel::EnableRunButtons(bool) {
    // The buttons follow the run's state (CanStart), which the run has just changed.
    Changed();
}

void CFetchDialogModel::RecordStarted(const SSelectedStock& stock) {
    AddLogLine(stock.symbol + " (" + stock.market + ") " +
               CLanguage::TranslateString(512).value_or(""));
}

void CFetchDialogModel::RunEnded(EFetchRunEnd) {
    Changed();
}

void CFetchDialogModel::Changed() const {
    if (onChanged) onChanged();
}
