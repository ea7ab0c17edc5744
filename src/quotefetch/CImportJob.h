#pragma once
#include "MetaStockImporter.h"
#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CMessageTarget.h"
#include <memory>
#include <string>
#include <vector>

// An import of MetaStock ASCII files on a job queue, so that the window stays responsive.
// After each file the notify target is sent WM_IMPORT_PROGRESS (lParam = files done). The
// log is called on the pool thread. A cancel request ends the import after the current file.
class CImportJob : public CJob {
public:
    CImportJob(std::vector<std::string> files, SImportOptions options,
               std::shared_ptr<CImportLog> log, std::shared_ptr<CMessageTarget> notify,
               std::shared_ptr<CQuoteFileStore> store = std::make_shared<CDiskQuoteFileStore>());

    void execute() override;

    // After execute: one report per file imported (see MetaStockImporter::Reports), and
    // whether the import ran at all.
    const std::vector<SImportFileReport>& Reports() const { return m_reports; }
    bool Ran() const { return m_ran; }

private:
    std::vector<std::string> m_files;
    SImportOptions m_options;
    std::shared_ptr<CImportLog> m_log;
    std::shared_ptr<CMessageTarget> m_notify;
    std::shared_ptr<CQuoteFileStore> m_store;
    std::vector<SImportFileReport> m_reports;
    bool m_ran = false;
};
