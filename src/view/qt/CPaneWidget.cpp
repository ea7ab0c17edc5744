#include "CPaneWidget.h"
#include "PaneCursors.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "view/CPaneStack.h"
#include "view/CZentriStockView.h"
#include "view/PaneTexts.h"
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
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
    : QWidget(parent), m_stack(stack), m_pane(pane), m_input(stack.View(pane), m_tracker),
      m_titleButton(new CTitleButton(this)) {
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
    if (!m_crosshair) return;
    // Only where the crosshair was and where it goes is painted again.
    QRegion dirty = CursorRegion(m_cursorShape);
    m_cursorShape = CursorShape();
    dirty += CursorRegion(m_cursorShape);
    if (m_stale == EStale::Pane)
        update();
    else if (!dirty.isEmpty())
        update(dirty);
}

void CPaneWidget::SetCrosshair(bool on) {
    if (on == m_crosshair) return;
    m_crosshair = on;
    m_cursorShape = CursorShape();
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
    // The new layout may have moved the plot and changed the values of its rows.
    m_cursorShape = CursorShape();
    PlaceTitleButton();
}

void CPaneWidget::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const bool render = m_stale == EStale::Pane || m_image.isNull() ||
                        m_image.width() != static_cast<int>(std::ceil(width() * ratio)) ||
                        m_image.height() != static_cast<int>(std::ceil(height() * ratio));
    if (render) Render();
    QPainter painter(this);
    if (render) {
        painter.drawImage(QPoint(0, 0), m_image);
    } else {
        // A cursor repaint copies back only the parts it covers. Clipped to one rectangle
        // at a time, each is one copy; the whole region would be painted span by span.
        for (const QRect& part : event->region()) {
            const QRectF source(part.x() * ratio, part.y() * ratio, part.width() * ratio,
                                part.height() * ratio);
            painter.save();
            painter.setClipRect(part);
            painter.drawImage(QPointF(part.topLeft()), m_image, source);
            painter.restore();
        }
    }
    ++m_counters.imageCopies;
    PaintCursor(painter);
}

CPaneWidget::SCursorShape CPaneWidget::CursorShape() const {
    SCursorShape shape;
    const CZentriStockView& view = View();
    if (!m_crosshair || m_cursorBar < 0 || !view.layoutValid || view.xCount <= 0) return shape;
    const CRect& plot = view.plotRect;
    const int x = view.BarToX(static_cast<float>(m_cursorBar));
    if (x < plot.left || x > plot.right) return shape;
    shape.shown = true;
    shape.column = QLine(x, plot.top, x, plot.bottom);
    shape.font = font();
    shape.font.setPixelSize(11);
    const QFontMetrics metrics(shape.font);
    const auto box = [&](const QString& text, int left, int top) {
        return QRect(left, top, metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    };
    if (m_cursorRow >= plot.top && m_cursorRow <= plot.bottom) {
        shape.onRow = true;
        shape.row = QLine(plot.left, m_cursorRow, plot.right, m_cursorRow);
        shape.value = QString::number(static_cast<double>(view.YToValue(m_cursorRow)), 'f', 2);
        shape.valueTag = box(shape.value, plot.right + 1, m_cursorRow - metrics.height() / 2 - 1);
    }
    const std::vector<SQuote>& bars = view.Stock().Display();
    if (view.showXAxis && m_cursorBar < static_cast<int>(bars.size())) {
        shape.date = QString::fromStdString(
            PaneTexts::FormatDate(bars[m_cursorBar].date, PaneTexts::DateFormat()));
        shape.dateTag =
            box(shape.date, x - metrics.horizontalAdvance(shape.date) / 2 - 3, plot.bottom + 1);
    }
    return shape;
}

// The pixels the crosshair covers, a pixel wider on each side for the scaled screens.
QRegion CPaneWidget::CursorRegion(const SCursorShape& shape) {
    QRegion region;
    if (!shape.shown) return region;
    const QMargins spare(1, 1, 1, 1);
    const auto lineRect = [&](const QLine& line) {
        return QRect(line.p1(), line.p2()).normalized() + spare;
    };
    region += lineRect(shape.column);
    if (shape.onRow) {
        region += lineRect(shape.row);
        region += shape.valueTag + spare;
    }
    if (!shape.date.isEmpty()) region += shape.dateTag + spare;
    return region;
}

void CPaneWidget::PaintCursor(QPainter& painter) {
    const SCursorShape& shape = m_cursorShape;
    if (!shape.shown) return;
    painter.setPen(QPen(QColor(96, 96, 96), 0, Qt::DotLine));
    painter.drawLine(shape.column);
    if (shape.onRow) painter.drawLine(shape.row);
    painter.setFont(shape.font);
    const auto tag = [&](const QString& text, const QRect& box) {
        painter.fillRect(box, QColor(64, 64, 64));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, text);
    };
    if (shape.onRow) tag(shape.value, shape.valueTag);
    if (!shape.date.isEmpty()) tag(shape.date, shape.dateTag);
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
    return SPaneMapping{view.plotRect, view.xMin,   view.xCount,
                        view.yMin,     view.yRange, view.logScale};
}

void CPaneWidget::Apply(const SInputResult& result) {
    // A pane nobody listens to still shows what its own events changed.
    if (result.redrawAll && onElementsChanged)
        onElementsChanged();
    else if (result.redrawAll || result.redrawPane)
        Invalidate(EStale::Pane);
    if (result.barEntered && onBarEntered) onBarEntered(View().Stock(), result.bar);
    if (result.readOut && onReadOut) onReadOut(result.statusValue, result.statusDate);
    if (result.textPlaced && onTextPlaced) onTextPlaced(m_pane);
    if (result.open != SInputResult::EOpen::None && onOpen) onOpen(m_pane, result.open);
    if (result.symbolKey && onSymbolKey) onSymbolKey(result.typed);
}

// Qt's own shapes for the usual parts, the pane's images for the price series, curves and
// the armed tool.
void CPaneWidget::ShowCursor(ECursor cursor) {
    const qreal ratio = devicePixelRatioF();
    // A hover asks on every move; a cursor set again would send the window system a change.
    if (cursor == m_shownCursor && ratio == m_shownRatio) return;
    m_shownCursor = cursor;
    m_shownRatio = ratio;
    switch (cursor) {
    case ECursor::PointElement:
        setCursor(Qt::PointingHandCursor);
        break;
    case ECursor::PriceSeries:
        setCursor(PaneCursors::Cursor(PaneCursors::EGlyph::PriceSeries, ratio));
        break;
    case ECursor::Curve:
        setCursor(PaneCursors::Cursor(PaneCursors::EGlyph::Curve, ratio));
        break;
    case ECursor::Move:
        setCursor(Qt::SizeAllCursor);
        break;
    case ECursor::EndPoint:
        setCursor(Qt::OpenHandCursor);
        break;
    case ECursor::CornerNwse:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case ECursor::CornerNesw:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case ECursor::DateAxis:
        setCursor(Qt::SizeHorCursor);
        break;
    case ECursor::ValueAxis:
        setCursor(Qt::SizeVerCursor);
        break;
    case ECursor::Draw:
        setCursor(PaneCursors::Cursor(PaneCursors::EGlyph::Draw, ratio));
        break;
    default:
        setCursor(Qt::CrossCursor);
        break;
    }
}

void CPaneWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || !View().layoutValid) return;
    const QPoint at = event->position().toPoint();
    const SInputResult result = m_input.Press(at.x(), at.y());
    Apply(result);
    ShowCursor(result.cursor);
}

void CPaneWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    m_mouse = at;
    CZentriStockView& view = View();
    if (!view.layoutValid) return;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const SInputResult result =
        m_input.Move(at.x(), at.y(), event->buttons() & Qt::LeftButton, ctrl);
    Apply(result);
    // The move has hit-tested the elements for its cursor already: once per move is enough.
    ShowCursor(result.cursor);
    const bool inside = view.plotRect.Contains(at.x(), at.y());
    if (onCursorMoved)
        onCursorMoved(m_pane, inside ? view.XToBar(at.x()) : -1, inside ? at.y() : -1);
}

void CPaneWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_input.Dragging()) return;
    const QPoint at = event->position().toPoint();
    const SInputResult result = m_input.Release(at.x(), at.y());
    Apply(result);
    ShowCursor(result.cursor);
}

void CPaneWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !View().layoutValid) return;
    const QPoint at = event->position().toPoint();
    const SInputResult result = m_input.DoubleClick(at.x(), at.y());
    Apply(result);
    ShowCursor(result.cursor);
}

void CPaneWidget::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::KeyboardModifiers keys = event->modifiers();
    Apply(m_input.Wheel(event->angleDelta().y(), at.x(), at.y(), keys & Qt::ShiftModifier,
                        keys & Qt::ControlModifier));
    event->accept();
}

void CPaneWidget::leaveEvent(QEvent*) {
    m_mouse.reset();
    Apply(m_input.Leave());
    if (onCursorMoved) onCursorMoved(m_pane, -1, -1);
}

void CPaneWidget::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && event->key() == Qt::Key_Space) {
        ToggleSolo();
        return;
    }
    CPaneInput::EKey key = CPaneInput::EKey::Other;
    switch (event->key()) {
    case Qt::Key_Right:
        key = CPaneInput::EKey::Right;
        break;
    case Qt::Key_Left:
        key = CPaneInput::EKey::Left;
        break;
    case Qt::Key_Up:
        key = CPaneInput::EKey::Up;
        break;
    case Qt::Key_Down:
        key = CPaneInput::EKey::Down;
        break;
    case Qt::Key_Delete:
        key = CPaneInput::EKey::Delete;
        break;
    case Qt::Key_Escape:
        key = CPaneInput::EKey::Escape;
        break;
    default:
        break;
    }
    const std::string text =
        event->modifiers() & Qt::AltModifier ? std::string() : event->text().toStdString();
    if (key == CPaneInput::EKey::Other && text.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    Apply(m_input.Key(key, text, ctrl));
    // Escape or Delete may have disarmed the tool or taken the element under the mouse.
    if (m_mouse && View().layoutValid) ShowCursor(m_input.CursorAt(m_mouse->x(), m_mouse->y()));
}

// A right click on an element selects it first, so that the menu's properties mean it. The
// menu key has no point of its own (Qt names one anyway): it selects nothing and offers the
// chart's commands.
void CPaneWidget::contextMenuEvent(QContextMenuEvent* event) {
    const bool mouse = event->reason() == QContextMenuEvent::Mouse;
    if (mouse) setFocus(Qt::MouseFocusReason);
    const QPoint at = event->pos();
    if (mouse && View().layoutValid && !m_tracker.ArmedTool() && !m_tracker.ButtonDown()) {
        m_input.PrepareTracker();
        if (m_tracker.Hover(at.x(), at.y())) {
            m_tracker.MouseDown(at.x(), at.y(), Mapping());
            m_tracker.MouseUp(-1, -1, SPaneMapping{});
            if (onElementsChanged) onElementsChanged();
        }
    }
    if (onContextMenu)
        onContextMenu(m_pane, event->globalPos(),
                      mouse && View().yAxisStrip.Contains(at.x(), at.y()));
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
