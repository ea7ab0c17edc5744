// Not a test: writes PNGs of the properties dialog of every drawing tool and of the text
// dialog into the folder named first on the command line, translated by the language file
// named second when there is one (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "ctlkit/lang/CLanguage.h"
#include "formset/element/ElementRecord.h"
#include "formset/qt/element/CElementFormset.h"
#include "tools/CText.h"
#include "tools/ElementFactory.h"
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

    auto context = std::make_shared<SElementContext>();
    context->curveNames = {"MA(5)", "RSI(14)"};
    for (int day = 1; day <= 28; ++day)
        context->barDates.push_back(
            QStringLiteral("%1-Jan-24").arg(day, 2, 10, QChar('0')).toStdString());
    for (int code : {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 19, 20, 24, 27, 28, 29, 30}) {
        std::unique_ptr<CSymbol> element = CreateToolElement(code);
        element->SetAnchor(5.0f, 101.25f, 1);
        element->SetPoint2(20.0f, 98.5f);
        if (auto* text = dynamic_cast<CText*>(element.get()))
            text->text = "Breakout\nabove the range";
        CElementFormset dialog(SElementRecord{ElementRecord::Of(*element), context}, nullptr);
        Save(dialog, folder, QStringLiteral("element%1").arg(code) + suffix, ratio);
    }
    CText text;
    CElementFormset placed(SElementRecord{ElementRecord::Of(text), nullptr}, nullptr,
                           CElementFormset::EMode::PlacedText);
    Save(placed, folder, "placedtext" + suffix, ratio);
    return 0;
}
