// Not a test: writes PNGs of the insert-or-replace, Y-scale, pane-count and N-day dialogs into
// the folder named first on the command line, as built and in a language of long words (run
// with QT_SCALE_FACTOR=2 for the scaled look).
#include "../dialog/LongWords.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include <QApplication>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qreal ratio = app.devicePixelRatio();

    GrabAsBuiltAndLong(
        [] {
            return std::make_unique<CInnerSelFormset>(SInnerSelChoice{1, "MACD RSI", true},
                                                      nullptr);
        },
        folder, "innersel", ratio);
    GrabAsBuiltAndLong(
        [] {
            return std::make_unique<CYScaleFormset>(SYScaleRange{123.456f, -0.5f}, nullptr);
        },
        folder, "yscale", ratio);
    GrabAsBuiltAndLong(
        [] {
            return std::make_unique<CPaneCountFormset>(SWholeNumberChoice::PaneCount(3), nullptr);
        },
        folder, "panecount", ratio);
    GrabAsBuiltAndLong(
        [] { return std::make_unique<CNDaysFormset>(SWholeNumberChoice::NDays(5, 4017), nullptr); },
        folder, "ndays", ratio);
    return 0;
}
