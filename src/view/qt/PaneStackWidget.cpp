#include "PaneStackWidget.h"
#include "PaneStackPainter.h"
#include "view/CPaneStack.h"
#include <QPainter>

PaneStackWidget::PaneStackWidget(CPaneStack& stack, QWidget* parent)
    : QWidget(parent), m_stack(stack) {
    // Every pixel is painted by the panes: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void PaneStackWidget::Relayout() {
    m_stack.Arrange(width(), height());
    update();
}

void PaneStackWidget::resizeEvent(QResizeEvent*) {
    m_stack.Arrange(width(), height());
}

void PaneStackWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaneStackPainter::Paint(m_stack, painter, devicePixelRatioF());
}
