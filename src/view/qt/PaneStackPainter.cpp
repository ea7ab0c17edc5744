#include "PaneStackPainter.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "view/CPaneStack.h"
#include <QPainter>
#include <cmath>

namespace PaneStackPainter {

void Paint(CPaneStack& stack, QPainter& painter, qreal pixelRatio, bool printing) {
    for (int pane = 0; pane < stack.Count(); ++pane) {
        const CRect& rect = stack.PaneRect(pane);
        if (stack.IsHidden(pane) || rect.Width() <= 0 || rect.Height() <= 0) continue;
        QImage bitmap(static_cast<int>(std::ceil(rect.Width() * pixelRatio)),
                      static_cast<int>(std::ceil(rect.Height() * pixelRatio)),
                      QImage::Format_RGB32);
        bitmap.setDevicePixelRatio(pixelRatio);
        QPainter panePainter(&bitmap);
        QtDC dc(panePainter, printing);
        stack.View(pane).OnDraw(dc);
        panePainter.end();
        painter.drawImage(QPointF(rect.left, rect.top), bitmap);
    }
}

QImage Render(CPaneStack& stack, int width, int height) {
    stack.Arrange(width, height);
    QImage window(width, height, QImage::Format_RGB32);
    window.fill(Qt::white);
    QPainter painter(&window);
    Paint(stack, painter);
    painter.end();
    return window;
}

} // namespace PaneStackPainter
