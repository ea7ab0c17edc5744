// The main frame's round for one bar notification: the information panel and the fund
// distribution panel take the bar under the cursor and repaint, on the sample chart.
#include "app/qt/CChildFrame.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CUserStore.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "panels/qt/FundPanelWidget.h"
#include "panels/qt/StockInfoPanelWidget.h"
#include "settings/CModelContext.h"
#include <QApplication>
#include <QSettings>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

void BM_BarNotificationRound(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / "zentristock-bench-frame";
    fs::remove_all(home);
    fs::copy(ZS_SAMPLE_DIR, home, fs::copy_options::recursive);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((home / "config").string()));
    {
        CRecordingPrompter prompter;
        CModelContext context(CInstallPaths(home.string()), prompter);
        CUiThreadLoop loop;
        CUserStore store;
        CMainFrame frame(context, loop, store);
        frame.Create();
        frame.show();
        frame.OnChartFileNamed((home / "chart/ACME.cht").string());
        // Until the window is exposed a repaint paints nothing.
        for (int i = 0; i < 20 && !frame.InfoPanel().isVisible(); ++i)
            QApplication::processEvents();
        QApplication::processEvents();
        if (!frame.InfoPanel().isVisible()) state.SkipWithError("the panel is not shown");
        CStock& stock = frame.ActiveChild()->Document().Stock();
        int bar = 0;
        for (auto _ : state) {
            frame.OnBarNotification(&stock, bar);
            frame.InfoPanel().repaint();
            frame.FundPanel().repaint();
            bar = (bar + 7) % 400;
        }
    }
    fs::remove_all(home);
}
BENCHMARK(BM_BarNotificationRound)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
