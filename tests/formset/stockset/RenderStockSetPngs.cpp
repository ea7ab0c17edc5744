// Not a test: writes a PNG of the price series settings dialog into the folder named first on
// the command line, translated by the language file named second when there is one (run with
// QT_SCALE_FACTOR=2 for the scaled look).
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/CStockSetFormset.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (argc > 2) CLanguage::SetFile(argv[2]);
    CPriceLineSettings settings;
    settings.priceStyle = 2;
    CStockSetFormset dialog(settings, nullptr);
    dialog.show();
    QApplication::processEvents();
    const QString name =
        argc > 2 ? QStringLiteral("stockset-translated") : QStringLiteral("stockset");
    dialog.grab().save(
        QStringLiteral("%1/%2-x%3.png").arg(folder, name).arg(app.devicePixelRatio()));
    return 0;
}
