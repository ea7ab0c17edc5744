#pragma once
#include <QIcon>
#include <QImage>
#include <QSize>

// The picture an icon shows at `size` logical pixels and device pixel ratio `ratio`.
inline QImage IconImage(const QIcon& icon, QSize size, qreal ratio = 1.0) {
    return icon.pixmap(size, ratio).toImage().convertToFormat(QImage::Format_RGB32);
}
