#include "CZentriStockApp.h"
#include "ScriptedRun.h"
#include "app/FrameCommands.h"
#include "app/StartUp.h"
#include "chart/CZentriStockDoc.h"
#include "chart/downloads/CDocumentDownloads.h"
#include "ctlkit/base/qt/QtPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "formset/qt/CStockSetFormset.h"
#include "settings/CModelContext.h"
#include "view/CPaneStack.h"
#include "view/CPriceLineSettings.h"
#include "view/qt/PaneStackWidget.h"
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr unsigned kPriceCurveSetting = 32905;

// The menus of the window with a chart open, as far as the program has them.
CMenuTable ChartMenu() {
    return {SMenuItem::Popup("&File", {SMenuItem::Command(kCmdAppExit, "E&xit")}),
            SMenuItem::Popup("&Setting",
                             {SMenuItem::Command(kPriceCurveSetting, "&Price Curve Setting...")})};
}

// The menu command with identifier `id`, triggered as if chosen; false when no enabled menu
// item has it.
bool TriggerCommand(QWidget& window, unsigned id) {
    QAction* action = FindCommandAction(window, id);
    if (!action || !action->isEnabled()) return false;
    action->trigger();
    return true;
}

bool IsTemplateFile(const std::string& path) {
    return QString::fromStdString(path).endsWith(".tmp", Qt::CaseInsensitive);
}

// The chart the command line names: a new one, a template's (".tmp") or a chart file.
std::unique_ptr<CZentriStockDoc> OpenDocument(CModelContext& context,
                                              const CommandLine& commandLine) {
    if (commandLine.action != CommandLine::Action::OpenFile)
        return CZentriStockDoc::NewChart(context);
    if (IsTemplateFile(commandLine.file))
        return CZentriStockDoc::NewChartFromTemplateFile(context, commandLine.file);
    auto document = std::make_unique<CZentriStockDoc>(context);
    document->LoadSettings();
    if (!document->OpenChart(commandLine.file)) return nullptr;
    return document;
}

} // namespace

int CZentriStockApp::Run(const CommandLine& commandLine) {
    for (const std::string& error : commandLine.errors)
        std::fprintf(stderr, "zentristock: %s.\n", error.c_str());
    if (commandLine.ExitsAtOnce()) return 0;

    QMainWindow mainWindow;
    std::optional<ScriptedRun> scripted;
    if (!commandLine.commands.empty() || !commandLine.grabFile.empty())
        scripted.emplace([&](unsigned id) { return TriggerCommand(mainWindow, id); },
                         commandLine.commands, QString::fromStdString(commandLine.grabFile),
                         commandLine.grabAfterMs);
    QtPrompter prompter;
    CScopedPrompter activePrompter(prompter);
    CModelContext context(CInstallPaths::OfProgram(), prompter);
    ActivateConfiguredLanguage(context);

    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    std::unique_ptr<CZentriStockDoc> document = OpenDocument(context, commandLine);
    if (!document) return 1;
    int status = 0;
    {
        auto downloads = std::make_unique<CDocumentDownloads>(*document, loop);
        CPaneStack panes(*document, context.Settings());
        mainWindow.setWindowTitle("ZentriStock");
        auto* chart = new PaneStackWidget(panes);
        mainWindow.setCentralWidget(chart);
        mainWindow.resize(1024, 720);
        BuildMenuBar(*mainWindow.menuBar(), ChartMenu(), [&](unsigned id) {
            if (id == kCmdAppExit) mainWindow.close();
            if (id == kPriceCurveSetting)
                EditPriceLineSettings(document->Stock(), CStockSetFormset::Editor(chart),
                                      [chart] { chart->update(); });
        });
        TranslateMenus(*mainWindow.menuBar(), kChartWindowMenuId);
        if (scripted) scripted->Watch(mainWindow);
        mainWindow.show();
        status = QApplication::exec();
        // The chart window closes: its jobs are let go before the document they report to,
        // and the panes before the document they show.
        downloads.reset();
        delete mainWindow.takeCentralWidget();
    }
    document->Close();
    return status;
}
