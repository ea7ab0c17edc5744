#include "QuoteFetchWindow.h"
#include "CDownloaderAboutDialog.h"
#include "CImportDialog.h"
#include "CQuoteFetchDialog.h"
#include "CStockSelectDialog.h"
#include "CSystemTray.h"
#include "ctlkit/base/ProgramFolder.h"
#include "ctlkit/base/qt/QtPrompter.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "ctlkit/lang/CLanguage.h"
#include "quotefetch/CFetchDialogModel.h"
#include "quotefetch/CInstanceLock.h"
#include "quotefetch/CStockSelection.h"
#include "quotefetch/FetchBatch.h"
#include "settings/CInstallPaths.h"
#include "settings/FetchSettings.h"
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <memory>

int RunQuoteFetchWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("quotefetch");
    // Hidden in the tray, the program ends only by its own Close.
    QApplication::setQuitOnLastWindowClosed(false);
    QtPrompter prompter;
    CScopedPrompter activePrompter(prompter);

    const CInstallPaths paths = CInstallPaths::OfProgram();
    std::unique_ptr<CInstanceLock> instance;
    if (const int status = HoldInstallation(paths, instance, stderr); status != kBatchAllDone) {
        prompter.ShowMessage(status == kBatchAlreadyRunning
                                 ? "The downloader already runs on " + paths.ProgramFolder() + "."
                                 : "The downloader cannot use " + paths.ProgramFolder() + ".");
        return status;
    }
    CIniReader ini(paths.SetupIni());
    const SFetchSettings settings = SFetchSettings::Read(paths, ini);
    CLanguage::SetFile(paths.LanguageFile(settings.languageName));
    CStockSelection selection(paths.DownloaderSelection());
    selection.Load();

    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    CMThreadedJobQ queue;
    CFetchDialogModel model(selection, loop, queue);
    CFetchRun::SJobSettings jobs;
    jobs.dataFolder = settings.dataFolder;
    jobs.quoteServer = settings.quoteServer;
    jobs.proxy.useProxy = settings.useProxy;
    jobs.proxy.server = settings.proxyServer;
    jobs.proxy.port = settings.proxyPort;
    model.SetJobSettings(std::move(jobs));

    CSystemTray tray;
    CQuoteFetchDialog dialog(model, tray);
    dialog.onClosed = [] { QCoreApplication::quit(); };
    dialog.selectStocks = [&](QWidget& parent) {
        CStockSelectDialog::Run(selection, paths, &parent);
    };
    dialog.askImport = [&](QWidget& parent) {
        return CImportDialog::Ask(paths, CImportDialog::PlatformChooser(&parent), &parent);
    };
    dialog.showAbout = [&](QWidget& parent) {
        CDownloaderAboutDialog about(
            CDownloaderAboutDialog::RunningProgram(paths.ProgramFolder(), paths.SetupIni(),
                                                   paths.DownloaderSelection(),
                                                   settings.dataFolder),
            &parent);
        about.exec();
    };
    dialog.Refresh();
    dialog.Open();
    const int status = QApplication::exec();
    // The jobs still out report to nobody; the queue waits for them.
    model.Close();
    return status;
}
