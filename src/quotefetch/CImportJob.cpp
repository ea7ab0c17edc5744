#include "CImportJob.h"

CImportJob::CImportJob(std::vector<std::string> files, SImportOptions options,
                       std::shared_ptr<CImportLog> log, std::shared_ptr<CMessageTarget> notify,
                       std::shared_ptr<CQuoteFileStore> store)
    : m_files(std::move(files)), m_options(std::move(options)), m_log(std::move(log)),
      m_notify(std::move(notify)), m_store(std::move(store)) {}

void CImportJob::execute() {
    MetaStockImporter importer(*m_store, *m_log);
    m_ran = importer.ImportFiles(
        m_files, m_options,
        [this](size_t done) {
            if (!m_notify) return;
            SWindowMessage message;
            message.message = WM_IMPORT_PROGRESS;
            message.lParam = static_cast<intptr_t>(done);
            m_notify->SendMessage(message);
        },
        [this] { return cancelRequested(); });
    m_reports = importer.Reports();
}
