#include "PaneStackWidget.h"
#include "PaneStackPainter.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PaneStackWidget::PaneStackWidget(CPaneStack& stack, QWidget* parent)
    : QWidget(parent), m_stack(stack) {
    // Every pixel is painted by the panes: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setMouseTracking(true);
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

void PaneStackWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int pane = m_stack.PaneAt(at.x(), at.y());
    if (pane < 0) return;
    const CRect& r = m_stack.PaneRect(pane);
    CZentriStockView& view = m_stack.View(pane);
    const int x = at.x() - r.left;
    if (!view.plotRect.Contains(x, at.y() - r.top)) return;
    const int bar = view.XToBar(x);
    if (bar == m_lastBar) return;
    m_lastBar = bar;
    if (onBarEntered) onBarEntered(view.Stock(), bar);
}

void PaneStackWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int pane = m_stack.PaneAt(at.x(), at.y());
    if (pane >= 0) m_stack.SetFocus(pane);
    if (event->button() == Qt::LeftButton) m_stack.Click(at.x(), at.y());
    update();
}

void PaneStackWidget::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && text.size() == 1 && text[0].unicode() < 128 &&
        (text[0].isLetterOrNumber() || text[0] == '^') && onSymbolKey) {
        onSymbolKey(static_cast<char>(text[0].unicode()));
        return;
    }
    QWidget::keyPressEvent(event);
}
