// Not a test: writes PNGs of the chart title, axis and chart window settings (each tab) and
// the display range dialog into the folder named first on the command line (run with
// QT_SCALE_FACTOR=2 for the scaled look).
#include "formset/qt/view/CAxisSettingFormset.h"
#include "formset/qt/view/CChartTitleFormset.h"
#include "formset/qt/view/CChartWindowFormset.h"
#include "formset/qt/view/CDisplayRangeFormset.h"
#include <QApplication>
#include <QTabWidget>

namespace {

void Save(QDialog& dialog, const QString& folder, const QString& name, qreal ratio) {
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(QStringLiteral("%1/%2-x%3.png").arg(folder, name).arg(ratio));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qreal ratio = app.devicePixelRatio();

    SPaneViewSettings settings;
    settings.pane = 1;
    settings.par.identifiers = {"MACD", "RSI", "52WK H and L"};
    CChartTitleFormset title(settings, nullptr);
    Save(title, folder, "charttitle", ratio);
    CAxisSettingFormset axis(settings, nullptr);
    Save(axis, folder, "axissetting", ratio);
    CChartWindowFormset window(settings, nullptr);
    auto* tabs = window.findChild<QTabWidget*>();
    const char* const pages[] = {"colours", "grid", "fonts", "indicators"};
    for (int page = 0; page < 4; ++page) {
        tabs->setCurrentIndex(page);
        Save(window, folder, QStringLiteral("chartwindow-%1").arg(pages[page]), ratio);
    }
    SDisplayRange range;
    for (int day = 1; day <= 28; ++day) range.barDays.push_back(20240200 + day);
    range.firstDay = 20240205;
    range.lastDay = 20240216;
    range.lastBars = 12;
    CDisplayRangeFormset display(range, nullptr);
    Save(display, folder, "displayrange", ratio);
    return 0;
}
