// Not a test: writes PNGs of the insert-or-replace, Y-scale, pane-count and N-day dialogs into
// the folder named first on the command line, translated by the language file named second
// when there is one (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include <QApplication>

namespace {

void Save(QDialog& dialog, const QString& folder, const QString& name, qreal ratio) {
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(QStringLiteral("%1/%2-x%3.png").arg(folder, name).arg(ratio));
    dialog.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (argc > 2) CLanguage::SetFile(argv[2]);
    const QString suffix = argc > 2 ? QStringLiteral("-translated") : QString();
    const qreal ratio = app.devicePixelRatio();

    CInnerSelFormset innerSel(SInnerSelChoice{1, "MACD RSI", true}, nullptr);
    Save(innerSel, folder, "innersel" + suffix, ratio);
    CYScaleFormset yScale(SYScaleRange{123.456f, -0.5f}, nullptr);
    Save(yScale, folder, "yscale" + suffix, ratio);
    CPaneCountFormset panes(SWholeNumberChoice::PaneCount(3), nullptr);
    Save(panes, folder, "panecount" + suffix, ratio);
    CNDaysFormset days(SWholeNumberChoice::NDays(5, 4017), nullptr);
    Save(days, folder, "ndays" + suffix, ratio);
    return 0;
}
