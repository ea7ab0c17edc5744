// Not a test: writes PNGs of the curve and trade flag properties dialogs into the folder named
// first on the command line (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "formset/qt/curve/CCurveFormset.h"
#include "formset/qt/curve/CTradeFlagFormset.h"
#include <QApplication>
#include <cstring>

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
    const qreal ratio = app.devicePixelRatio();

    SCurveProperties curve;
    curve.name = "Williams %R";
    curve.parameter = "0.02,0.20";
    curve.look = curve.opened = SCurveLook{0x2CC864, 2, 9};
    CCurveFormset curveDialog(curve, nullptr);
    Save(curveDialog, folder, "curve", ratio);

    STradeFlagProperties flag;
    flag.name = "MACDSell";
    flag.direction = 0;
    flag.look.colour = 0x0000FF;
    flag.look.symbol = 8;
    flag.look.text = "Sell";
    flag.look.font.lfHeight = 15;
    flag.look.font.lfWidth = 6;
    flag.look.font.lfWeight = 700;
    std::strcpy(flag.look.font.lfFaceName, "DejaVu Sans");
    flag.opened = flag.look;
    CTradeFlagFormset flagDialog(flag, nullptr);
    Save(flagDialog, folder, "tradeflag", ratio);
    return 0;
}
