// Renders every toolbar's buttons and every menu command's image to one PNG, to look at:
// app_icon_sheet OUTPUT.png [SCALE [ZOOM X Y WIDTH HEIGHT]]; with ZOOM only that part of the
// sheet (in sheet pixels), each pixel enlarged ZOOM times.
#include "app/ProgramMenus.h"
#include "app/ToolbarTables.h"
#include "app/qt/CommandIcons.h"
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: app_icon_sheet OUTPUT.png [SCALE]\n");
        return 2;
    }
    const qreal scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const int cell = 24;
    const int labelWidth = 90;
    const std::vector<unsigned> menuIds = MenuCommandIds(ChartWindowMenu());
    const int columns = 4, columnWidth = 260;
    const int menuRows = static_cast<int>((menuIds.size() + columns - 1) / columns);
    const int width = labelWidth + 42 * cell;
    const int height =
        static_cast<int>(ProgramToolbars().size()) * (cell + 6) + 10 + menuRows * 20 + 10;

    QImage sheet(QSize(width, height) * scale, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(scale);
    sheet.fill(QColor(0xF3, 0xF3, 0xF3));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    int y = 4;
    for (const SToolbarContents& bar : ProgramToolbars()) {
        p.setPen(Qt::black);
        p.drawText(QRect(4, y, labelWidth - 8, cell), Qt::AlignVCenter, bar.objectName);
        int x = labelWidth;
        for (unsigned id : bar.buttons) {
            if (id == 0) {
                p.setPen(QColor(0xC0, 0xC0, 0xC0));
                p.drawLine(x + 3, y + 3, x + 3, y + cell - 3);
                x += 7;
                continue;
            }
            const QIcon icon = CommandIcon(id);
            const QIcon::Mode mode = CreatesNothing(id) ? QIcon::Disabled : QIcon::Normal;
            icon.paint(&p, QRect(x + 4, y + 4, 16, 16), Qt::AlignCenter, mode);
            x += cell;
        }
        y += cell + 6;
    }
    y += 6;
    p.fillRect(QRect(0, y - 4, width, menuRows * 20 + 8), Qt::white);
    for (size_t i = 0; i < menuIds.size(); ++i) {
        const int x = 8 + static_cast<int>(i % columns) * columnWidth;
        const int row = y + static_cast<int>(i / columns) * 20;
        CommandIcon(menuIds[i]).paint(&p, QRect(x, row + 2, 16, 16));
        p.setPen(Qt::black);
        p.drawText(
            QRect(x + 22, row, columnWidth - 26, 20), Qt::AlignVCenter,
            QString::fromStdString(std::to_string(menuIds[i]) + " " + CommandTip(menuIds[i])));
    }
    p.end();
    if (argc > 7) {
        const int zoom = std::atoi(argv[3]);
        const QRect part(std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                         std::atoi(argv[7]));
        QImage cut = sheet.copy(part);
        return cut.scaled(cut.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       .save(QString::fromLocal8Bit(argv[1]))
                   ? 0
                   : 1;
    }
    return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
