// Not a test: writes PNGs of the status bar with some texts into the folder named on the
// command line (run with QT_SCALE_FACTOR=2 for the scaled look).
#include "app/qt/CExtStatusBar.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto save = [&](QWidget& bar, const QString& name) {
        bar.resize(760, bar.sizeHint().height());
        bar.show();
        QApplication::processEvents();
        bar.grab().save(
            QStringLiteral("%1/%2-x%3.png").arg(folder, name).arg(app.devicePixelRatio()));
    };
    CExtStatusBar start([] { return CStatusBarPanes::SLockKeys{}; });
    save(start, QStringLiteral("statusbar-start"));

    CExtStatusBar busy([] { return CStatusBarPanes::SLockKeys{true, true, true}; });
    busy.RefreshLockKeys();
    busy.SetPaneText(0, "Ready");
    busy.SetPaneText(4, "2024-03-01");
    busy.SetPaneText(5, "123.45");
    busy.SetConnectionText("Online");
    save(busy, QStringLiteral("statusbar-busy"));

    CExtStatusBar message([] { return CStatusBarPanes::SLockKeys{false, true, false}; });
    message.RefreshLockKeys();
    message.SetConnectionText("Offline");
    message.showMessage(QStringLiteral("Opens a chart of the selected stock"));
    save(message, QStringLiteral("statusbar-message"));
    return 0;
}
