// Not a test: writes PNGs of the indicator descriptions viewer (a page, and the built-in text
// of a missing page) and of the insert-or-replace question with its Description button into
// the folder named first on the command line (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/describe/CIndicatorDescriptions.h"
#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

void Grab(QWidget& widget, const QString& path) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) return;
    QTest::qWait(50);
    widget.grab().save(path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString suffix = QString("@%1x.png").arg(app.devicePixelRatio());
    const std::string sample = ZS_SAMPLE_DIR "/";

    CIndicatorDescriptions page(sample, "MACD", nullptr);
    Grab(page, folder + "/descriptions-macd" + suffix);
    CIndicatorDescriptions missing(QDir::tempPath().toStdString() + "/no-such-install/", "RSI",
                                   nullptr);
    Grab(missing, folder + "/descriptions-builtin" + suffix);
    CInnerSelFormset question(SInnerSelChoice{1, "MACD RSI", true}, nullptr);
    question.SetIndicator("RSI", sample);
    Grab(question, folder + "/innersel-description" + suffix);
    return 0;
}
