// Not a test: writes PNGs of every picker, with the lists opened, into the folder named on
// the command line, for looking at them (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CCurveStyleList.h"
#include "formset/qt/pickers/CFlagMarkerList.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include "formset/qt/pickers/CLineWidthList.h"
#include "formset/qt/pickers/CSymbolPicker.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QFormLayout>
#include <QWidget>

namespace {

void SaveOpened(QComboBox* combo, const QString& path) {
    combo->showPopup();
    QApplication::processEvents();
    combo->view()->window()->grab().save(path);
    combo->hidePopup();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString suffix = QStringLiteral("-x%1.png").arg(app.devicePixelRatio());

    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* colour = new CColourButton;
    colour->SetColour(MakeRGB(0, 150, 150));
    auto* font = new CFontPicker;
    auto* style = new CLineStyleList;
    auto* width = new CLineWidthList;
    auto* curve = new CCurveStyleList;
    auto* flag = new CFlagMarkerList;
    auto* symbol = new CSymbolPicker;
    width->SetLineWidth(3);
    curve->SetCurveStyle(11);
    flag->SetSymbol(9);
    form->addRow("Colour:", colour);
    form->addRow("Font:", font);
    form->addRow("Line style:", style);
    form->addRow("Weight:", width);
    form->addRow("Curve style:", curve);
    form->addRow("Flag:", flag);
    form->addRow("Symbol:", symbol);
    // A top-level window opens at most 2/3 of the screen wide; this one shows all it needs.
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + "/pickers" + suffix);

    SaveOpened(style, folder + "/line-styles" + suffix);
    SaveOpened(width, folder + "/line-widths" + suffix);
    SaveOpened(curve, folder + "/curve-styles" + suffix);
    SaveOpened(flag, folder + "/flag-markers" + suffix);
    return 0;
}
