// Not a test: writes PNGs of the curve and trade flag properties dialogs into the folder named
// first on the command line, as built and in a language of long words (run with
// QT_SCALE_FACTOR=2 for the scaled look).
#include "../dialog/LongWords.h"
#include "formset/qt/curve/CCurveFormset.h"
#include "formset/qt/curve/CTradeFlagFormset.h"
#include <QApplication>
#include <cstring>

using long_words::GrabAsBuiltAndLong;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const qreal ratio = app.devicePixelRatio();

    SCurveProperties curve;
    curve.name = "Williams %R";
    curve.parameter = "0.02,0.20";
    curve.look = curve.opened = SCurveLook{0x2CC864, 2, 9};
    GrabAsBuiltAndLong([&] { return std::make_unique<CCurveFormset>(curve, nullptr); }, folder,
                       "curve", ratio);

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
    GrabAsBuiltAndLong([&] { return std::make_unique<CTradeFlagFormset>(flag, nullptr); }, folder,
                       "tradeflag", ratio);
    return 0;
}
