#include "SampleIcon.h"
#include "ctlkit/dc/qt/QtDC.h"
#include <QPainter>
#include <QPixmap>
#include <set>

namespace {

QPixmap SamplePixmap(QSize size, qreal ratio, const std::function<void(CDC& dc)>& paint) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QtDC dc(painter);
    paint(dc);
    return pixmap;
}

} // namespace

QIcon SampleIcon(QSize size, qreal ratio, const std::function<void(CDC& dc)>& paint) {
    QIcon icon;
    for (qreal r : std::set<qreal>{1.0, 2.0, ratio}) icon.addPixmap(SamplePixmap(size, r, paint));
    return icon;
}
