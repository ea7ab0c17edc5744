// Writes PNGs of the Gann table window and its settings dialog into the folder given (run
// with QT_SCALE_FACTOR=2 for the large scale).
#include "gann/qt/CGannGrid.h"
#include "gann/qt/CGannSettingFormset.h"
#include "gann/qt/CGannTableWindow.h"
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : ".";
    CGannTableWindow window("https://www.example.com/");
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + "/gann-window.png");
    window.OnCommand(CGannTableWindow::kCmdAutoSize);
    window.Grid().Select(9, 9, false);
    window.Grid().setFocus();
    QApplication::processEvents();
    window.grab().save(folder + "/gann-window-autosize.png");

    CGannSettingFormset dialog(SGannSetting::Of(window.Table()), &window);
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(folder + "/gann-setting.png");
    return 0;
}
