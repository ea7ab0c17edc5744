#include "PaneStackPainter.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "view/CPaneStack.h"
#include <QPainter>
#include <cmath>
#include <vector>

namespace PaneStackPainter {

void Paint(CPaneStack& stack, QPainter& painter, qreal pixelRatio, bool printing) {
    if (printing) {
        std::vector<CRect> places;
        for (int pane = 0; pane < stack.Count(); ++pane) places.push_back(stack.PaneRect(pane));
        PaintStraight(stack, painter, places);
        return;
    }
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

int PaintStraight(CPaneStack& stack, QPainter& painter, std::span<const CRect> places,
                  bool blackOnWhite) {
    int painted = 0;
    for (int pane = 0; pane < stack.Count() && pane < static_cast<int>(places.size()); ++pane) {
        const CRect& place = places[pane];
        if (stack.IsHidden(pane) || place.Width() <= 0 || place.Height() <= 0) continue;
        CZentriStockView& view = stack.View(pane);
        view.SetClientSize(place.Width(), place.Height());
        painter.save();
        painter.translate(place.left, place.top);
        // A pane drawn straight onto the page must not spill onto its neighbour.
        painter.setClipRect(0, 0, place.Width(), place.Height(), Qt::IntersectClip);
        {
            QtDC dc(painter, true);
            dc.SetBlackOnWhite(blackOnWhite);
            view.OnDraw(dc);
        }
        painter.restore();
        ++painted;
    }
    return painted;
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
