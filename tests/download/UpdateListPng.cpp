// Draws the update dialog in the middle of an update: update_list_png OUTPUT.png
// (QT_SCALE_FACTOR=2 for the doubled scale).
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "download/qt/CUpdateListFormset.h"
#include <QApplication>
#include <QListWidget>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    CUiThreadLoop loop;
    CUpdateListFormset dialog(
        CUpdateListChoice({"NYSE", "AMEX", "LSE", "TSX"},
                          {"New York Stock Exchange", "American Stock Exchange",
                           "London Stock Exchange", "Toronto Stock Exchange"}),
        loop);
    dialog.Markets()->item(0)->setCheckState(Qt::Checked);
    dialog.Markets()->item(1)->setCheckState(Qt::Checked);
    dialog.show();
    dialog.SetProgressRange(4);
    dialog.AppendLog("Market list of NYSE download Successfully.\n"
                     "Add Market list of NYSE to DataBase.\n"
                     "Market list of NYSE add to data base successfully.\n");
    dialog.SetProgress(2);
    dialog.SetStatusText("Read 24576 bytes (12.0 Kb/s)");
    app.processEvents();
    return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
