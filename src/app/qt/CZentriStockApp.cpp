#include "CZentriStockApp.h"
#include "CMainFrame.h"
#include "CSplashWindow.h"
#include "CUserStore.h"
#include "ScriptedRun.h"
#include "app/StartUp.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/qt/QtPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "settings/CModelContext.h"
#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

namespace {

// True when a menu or toolbar of the frame offers command `id`, enabled.
bool OffersCommand(CMainFrame& frame, unsigned id) {
    if (QAction* action = FindCommandAction(frame, id)) return action->isEnabled();
    for (QToolBar* bar : frame.findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            if (CommandIdOf(*action) == id) return action->isEnabled();
    return false;
}

bool IsTemplateFile(const std::string& path) {
    return QString::fromStdString(path).endsWith(".tmp", Qt::CaseInsensitive);
}

// The shell command of the command line. A file that cannot be opened was reported by the
// document; the frame stays up and empty, so a damaged chart never makes the program vanish.
void OpenStartDocument(CMainFrame& frame, CModelContext& context, const CommandLine& commandLine) {
    if (commandLine.action != CommandLine::Action::OpenFile) {
        frame.OpenDocument(CZentriStockDoc::NewChart(context));
    } else if (IsTemplateFile(commandLine.file)) {
        frame.OpenDocument(CZentriStockDoc::NewChartFromTemplateFile(context, commandLine.file));
    } else {
        frame.OnChartFileNamed(commandLine.file);
    }
}

} // namespace

int CZentriStockApp::Run(const CommandLine& commandLine) {
    for (const std::string& error : commandLine.errors)
        std::fprintf(stderr, "zentristock: %s.\n", error.c_str());
    // Registration is a matter of another platform: accepted, and nothing is shown.
    if (commandLine.ExitsAtOnce()) return 0;

    QtPrompter prompter;
    CScopedPrompter activePrompter(prompter);
    CModelContext context(CInstallPaths::OfProgram(), prompter);
    ActivateConfiguredLanguage(context);

    std::unique_ptr<CSplashWindow> splash;
    if (commandLine.ShowsSplash() && commandLine.grabFile.empty()) {
        splash = std::make_unique<CSplashWindow>();
        splash->show();
    }
    // Embedded controls and three-dimensional dialog controls need no set-up with Qt.

    CUserStore store;
    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    std::unique_ptr<CMainFrame> frame;
    try {
        frame = std::make_unique<CMainFrame>(context, loop, store);
        frame->Create();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zentristock: the main window cannot be created: %s.\n", error.what());
        return 1;
    }

    std::optional<ScriptedRun> scripted;
    if (!commandLine.commands.empty() || !commandLine.grabFile.empty()) {
        scripted.emplace(
            [&](unsigned id) {
                if (!OffersCommand(*frame, id)) return false;
                frame->OnCommand(id);
                return true;
            },
            commandLine.commands, QString::fromStdString(commandLine.grabFile),
            commandLine.grabAfterMs);
        scripted->Watch(*frame);
    }
    OpenStartDocument(*frame, context, commandLine);
    frame->ShowRestored();
    if (splash) splash->CloseSoon();
    int status = QApplication::exec();
    // A screenshot's outcome is the program's, however the loop was ended; one never taken
    // is a failure too.
    if (scripted && scripted->Grabbed()) {
        status = scripted->Status();
    } else if (!commandLine.grabFile.empty()) {
        std::fprintf(stderr, "zentristock: the program ended before the screenshot %s was taken.\n",
                     commandLine.grabFile.c_str());
        status = 1;
    }
    splash.reset();
    frame.reset();
    return status;
}
