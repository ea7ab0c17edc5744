#include "CPaneWidget.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "tools/ElementPeriod.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// The pane's title button: the view paints it into the pane image; this invisible button
// over it takes the clicks and gives screen readers its name.
class CTitleButton : public QAbstractButton {
public:
    explicit CTitleButton(QWidget* parent) : QAbstractButton(parent) {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

QString PlainName(const std::string& text) {
    QString name = QString::fromStdString(text);
    name.replace("&&", QChar(0x1));
    name.remove('&');
    name.replace(QChar(0x1), '&');
    return name;
}

} // namespace

CPaneWidget::CPaneWidget(CPaneStack& stack, int pane, QWidget* parent)
    : QWidget(parent), m_stack(stack), m_pane(pane), m_titleButton(new CTitleButton(this)) {
    // Every pixel is painted from the pane image: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumHeight(40);
    SetControlId(*m_titleButton, CZentriStockView::kTitleButtonId);
    m_titleButton->setAccessibleName(PlainName(View().TitleButtonText()));
    connect(m_titleButton, &QAbstractButton::clicked, this, [this] { ToggleSolo(); });
}

CZentriStockView& CPaneWidget::View() const {
    return m_stack.View(m_pane);
}

void CPaneWidget::Invalidate(EStale stale) {
    if (stale == EStale::Pane) m_stale = EStale::Pane;
    update();
}

void CPaneWidget::SetCursor(int bar, int row) {
    if (bar == m_cursorBar && row == m_cursorRow) return;
    m_cursorBar = bar;
    m_cursorRow = row;
    Invalidate(EStale::Cursor);
}

void CPaneWidget::Render() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (m_image.size() != pixels) m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    View().SetClientSize(width(), height());
    QPainter painter(&m_image);
    QtDC dc(painter);
    View().OnDraw(dc);
    painter.end();
    ++m_counters.renders;
    m_stale = EStale::Cursor;
    PlaceTitleButton();
}

void CPaneWidget::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_stale == EStale::Pane || m_image.isNull() ||
        m_image.width() != static_cast<int>(std::ceil(width() * ratio)) ||
        m_image.height() != static_cast<int>(std::ceil(height() * ratio)))
        Render();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
    ++m_counters.imageCopies;
    PaintCursor(painter);
}

void CPaneWidget::PaintCursor(QPainter& painter) {
    const CZentriStockView& view = View();
    if (m_cursorBar < 0 || !view.layoutValid || view.xCount <= 0) return;
    const CRect& plot = view.plotRect;
    const int x = view.BarToX(static_cast<float>(m_cursorBar));
    if (x < plot.left || x > plot.right) return;
    painter.setPen(QPen(QColor(96, 96, 96), 0, Qt::DotLine));
    painter.drawLine(x, plot.top, x, plot.bottom);
    if (m_cursorRow >= plot.top && m_cursorRow <= plot.bottom)
        painter.drawLine(plot.left, m_cursorRow, plot.right, m_cursorRow);
}

void CPaneWidget::PlaceTitleButton() {
    const CRect& r = View().TitleButtonRect();
    m_titleButton->setGeometry(r.left, r.top, r.Width(), r.Height());
    m_titleButton->setVisible(r.Width() > 0 && r.Height() > 0);
    m_titleButton->setAccessibleName(PlainName(View().TitleButtonText()));
}

// A click on the button goes through the stack, which holds which panes are shown.
void CPaneWidget::ToggleSolo() {
    const CRect& pane = m_stack.PaneRect(m_pane);
    const CRect& button = View().TitleButtonRect();
    if (!m_stack.Click(pane.left + button.left + button.Width() / 2,
                       pane.top + button.top + button.Height() / 2))
        return;
    if (onTitleToggled) onTitleToggled(m_pane);
}

void CPaneWidget::ReportPlace() {
    const QRect g = geometry();
    m_stack.SetPaneRect(m_pane,
                        CRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
}

void CPaneWidget::resizeEvent(QResizeEvent*) {
    ReportPlace();
    m_stale = EStale::Pane;
}

void CPaneWidget::moveEvent(QMoveEvent*) {
    ReportPlace();
}

SPaneMapping CPaneWidget::Mapping() const {
    const CZentriStockView& view = View();
    return SPaneMapping{view.plotRect, view.xMin, view.xCount, view.yMin, view.yRange};
}

void CPaneWidget::PrepareTracker() {
    CZentriStockView& view = View();
    m_tracker.SetPane(view.Pane());
    m_tracker.SetPeriod(ElementPeriod(view.Stock()));
    m_tracker.SetBackground(view.backgroundColour);
}

void CPaneWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || !View().layoutValid) return;
    const QPoint at = event->position().toPoint();
    PrepareTracker();
    m_tracker.Hover(at.x(), at.y());
    const CElementTracker::EDown down = m_tracker.MouseDown(at.x(), at.y(), Mapping());
    if (down == CElementTracker::kCreatedText && onTextPlaced) onTextPlaced(m_pane);
    if (onElementsChanged) onElementsChanged();
}

void CPaneWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    CZentriStockView& view = View();
    if (!view.layoutValid) return;
    if (m_tracker.ButtonDown()) {
        if (m_tracker.MouseMove(at.x(), at.y(), Mapping())) Invalidate(EStale::Pane);
    } else if (!m_tracker.ArmedTool()) {
        m_tracker.Hover(at.x(), at.y());
    }
    const bool inside = view.plotRect.Contains(at.x(), at.y());
    const int bar = inside ? view.XToBar(at.x()) : -1;
    if (onCursorMoved) onCursorMoved(m_pane, bar, inside ? at.y() : -1);
    if (!inside || bar == m_lastBar) return;
    m_lastBar = bar;
    if (onBarEntered) onBarEntered(view.Stock(), bar);
}

void CPaneWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_tracker.ButtonDown()) return;
    const QPoint at = event->position().toPoint();
    m_tracker.MouseUp(at.x(), at.y(), Mapping());
    if (onElementsChanged) onElementsChanged();
}

void CPaneWidget::leaveEvent(QEvent*) {
    m_lastBar = -1;
    if (onCursorMoved) onCursorMoved(m_pane, -1, -1);
}

void CPaneWidget::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && event->key() == Qt::Key_Space) {
        ToggleSolo();
        return;
    }
    const QString text = event->text();
    if (plain && text.size() == 1 && text[0].unicode() < 128 &&
        (text[0].isLetterOrNumber() || text[0] == '^') && onSymbolKey) {
        onSymbolKey(static_cast<char>(text[0].unicode()));
        return;
    }
    QWidget::keyPressEvent(event);
}

void CPaneWidget::focusInEvent(QFocusEvent*) {
    m_stack.SetFocus(m_pane);
    Invalidate(EStale::Pane);
    if (onFocused) onFocused(m_pane);
}

// The frame of a pane without the focus is one pixel again.
void CPaneWidget::focusOutEvent(QFocusEvent*) {
    Invalidate(EStale::Pane);
}
