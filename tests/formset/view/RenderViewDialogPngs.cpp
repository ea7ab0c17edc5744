// Not a test: writes PNGs of the chart title, axis and chart window settings (each tab) and
// the display range dialog into the folder named first on the command line, as built and in a
// language of long words (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "../dialog/LongWords.h"
#include "formset/qt/view/CAxisSettingFormset.h"
#include "formset/qt/view/CChartTitleFormset.h"
#include "formset/qt/view/CChartWindowFormset.h"
#include "formset/qt/view/CDisplayRangeFormset.h"
#include <QApplication>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qreal ratio = app.devicePixelRatio();

    SPaneViewSettings settings;
    settings.pane = 1;
    settings.par.identifiers = {"MACD", "RSI", "52WK H and L"};
    GrabAsBuiltAndLong([&] { return std::make_unique<CChartTitleFormset>(settings, nullptr); },
                       folder, "charttitle", ratio);
    GrabAsBuiltAndLong([&] { return std::make_unique<CAxisSettingFormset>(settings, nullptr); },
                       folder, "axissetting", ratio);
    GrabAsBuiltAndLong([&] { return std::make_unique<CChartWindowFormset>(settings, nullptr); },
                       folder, "chartwindow", ratio);
    SDisplayRange range;
    for (int day = 1; day <= 28; ++day) range.barDays.push_back(20240200 + day);
    range.firstDay = 20240205;
    range.lastDay = 20240216;
    range.lastBars = 12;
    GrabAsBuiltAndLong([&] { return std::make_unique<CDisplayRangeFormset>(range, nullptr); },
                       folder, "displayrange", ratio);
    return 0;
}
