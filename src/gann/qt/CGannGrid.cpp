#include "CGannGrid.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kTextMargin = 3;
const QColor kLineColour(192, 192, 192);

QColor ToColour(COLORREF colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

int Sum(const std::vector<int>& sizes, int from, int to) {
    int total = 0;
    for (int i = from; i < to; ++i) total += sizes[static_cast<size_t>(i)];
    return total;
}

} // namespace

CGannGrid::CGannGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGannGrid::SetTable(const CGannTable* table) {
    m_table = table;
    const int rows = table ? table->Rows() : 0;
    const int columns = table ? table->Columns() : 0;
    m_heights.assign(static_cast<size_t>(rows), kDefaultHeight);
    m_widths.assign(static_cast<size_t>(columns), kDefaultWidth);
    m_anchorRow = m_row = std::min(1, rows - 1);
    m_anchorColumn = m_column = std::min(1, columns - 1);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

void CGannGrid::AutoSize() {
    if (!m_table) return;
    const QFontMetrics metrics(font());
    std::fill(m_widths.begin(), m_widths.end(), 0);
    std::fill(m_heights.begin(), m_heights.end(), metrics.height() + 2 * kTextMargin);
    for (int row = 0; row < m_table->Rows(); ++row)
        for (int column = 0; column < m_table->Columns(); ++column) {
            const int width = TextWidth(QString::fromStdString(m_table->Cell(row, column).text));
            int& widest = m_widths[static_cast<size_t>(column)];
            widest = std::max(widest, width + 2 * kTextMargin + 1);
        }
    UpdateScrollBars();
    viewport()->update();
}

CGannGrid::SSelection CGannGrid::Selection() const {
    return {std::min(m_anchorRow, m_row), std::min(m_anchorColumn, m_column),
            std::max(m_anchorRow, m_row), std::max(m_anchorColumn, m_column)};
}

void CGannGrid::Select(int row, int column, bool extend) {
    if (!m_table || row < 0 || column < 0) return;
    m_row = std::clamp(row, 0, m_table->Rows() - 1);
    m_column = std::clamp(column, 0, m_table->Columns() - 1);
    if (!extend) {
        m_anchorRow = m_row;
        m_anchorColumn = m_column;
    }
    ScrollTo(m_row, m_column);
    viewport()->update();
}

void CGannGrid::CopySelection() const {
    if (!m_table) return;
    const SSelection s = Selection();
    QApplication::clipboard()->setText(
        QString::fromStdString(m_table->TabSeparated(s.top, s.left, s.bottom, s.right)));
}

int CGannGrid::TextWidth(const QString& text) const {
    if (m_measured != font() || m_advances[static_cast<size_t>('0')] == 0) {
        m_measured = font();
        const QFontMetricsF metrics(font());
        for (int c = 32; c < 127; ++c)
            m_advances[static_cast<size_t>(c)] = metrics.horizontalAdvance(QChar(c));
    }
    qreal width = 0;
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() >= 127)
            return QFontMetrics(font()).horizontalAdvance(text);
        width += m_advances[c.unicode()];
    }
    return qRound(width);
}

int CGannGrid::Offset(const std::vector<int>& sizes, int index) const {
    return Sum(sizes, 1, index);
}

QRect CGannGrid::CellRect(int row, int column) const {
    const int fixedWidth = m_widths.empty() ? 0 : m_widths[0];
    const int fixedHeight = m_heights.empty() ? 0 : m_heights[0];
    const int x =
        column == 0 ? 0 : fixedWidth + Offset(m_widths, column) - horizontalScrollBar()->value();
    const int y =
        row == 0 ? 0 : fixedHeight + Offset(m_heights, row) - verticalScrollBar()->value();
    return {x, y, m_widths.at(static_cast<size_t>(column)), m_heights.at(static_cast<size_t>(row))};
}

QPoint CGannGrid::CellAt(const QPoint& pos) const {
    if (!m_table) return {-1, -1};
    auto find = [](const std::vector<int>& sizes, int at, int scrolled) {
        if (sizes.empty() || at < 0) return -1;
        if (at < sizes[0]) return 0;
        int edge = sizes[0] - scrolled;
        for (int i = 1; i < static_cast<int>(sizes.size()); ++i) {
            edge += sizes[static_cast<size_t>(i)];
            if (at < edge) return i;
        }
        return -1;
    };
    const int column = find(m_widths, pos.x(), horizontalScrollBar()->value());
    const int row = find(m_heights, pos.y(), verticalScrollBar()->value());
    if (row < 0 || column < 0) return {-1, -1};
    return {column, row};
}

void CGannGrid::PaintCell(QPainter& painter, int row, int column, const QRect& rect) const {
    const CGannTable::SCell& cell = m_table->Cell(row, column);
    const SSelection s = Selection();
    const bool selected =
        hasFocus() && row >= s.top && row <= s.bottom && column >= s.left && column <= s.right;
    painter.fillRect(rect, ToColour(cell.background));
    if (selected) painter.fillRect(rect, QColor(0, 120, 215, 90));
    painter.setPen(kLineColour);
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    if (cell.text.empty()) return;
    painter.setPen(ToColour(cell.textColour));
    const QRect inner = rect.adjusted(kTextMargin, 0, -kTextMargin - 1, -1);
    const QString text = QString::fromStdString(cell.text);
    switch (cell.format) {
    case CGannTable::kWordBreak:
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        break;
    case CGannTable::kRightSingleLine:
    case CGannTable::kCentreSingleLine: {
        const int align = cell.format == CGannTable::kRightSingleLine
                              ? Qt::AlignRight | Qt::AlignVCenter
                              : Qt::AlignCenter;
        const QString shown =
            TextWidth(text) <= inner.width()
                ? text
                : painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
        painter.drawText(inner, align | Qt::TextSingleLine, shown);
        break;
    }
    }
}

void CGannGrid::PaintCells(QPainter& painter) const {
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().color(QPalette::Base));
    if (!m_table || m_widths.empty() || m_heights.empty()) return;
    const int rows = m_table->Rows();
    const int columns = m_table->Columns();
    // The first and one-past-last body index in view along one direction.
    auto inView = [](const std::vector<int>& sizes, int scrolled, int extent) {
        int first = 1;
        int edge = sizes[0] - scrolled;
        const int count = static_cast<int>(sizes.size());
        while (first < count && edge + sizes[static_cast<size_t>(first)] <= sizes[0]) {
            edge += sizes[static_cast<size_t>(first)];
            ++first;
        }
        int last = first;
        while (last < count && edge < extent) edge += sizes[static_cast<size_t>(last++)];
        return std::pair{first, last};
    };
    const auto [firstColumn, endColumn] =
        inView(m_widths, horizontalScrollBar()->value(), area.width());
    const auto [firstRow, endRow] = inView(m_heights, verticalScrollBar()->value(), area.height());

    painter.save();
    painter.setClipRect(QRect(m_widths[0], m_heights[0], area.width(), area.height()));
    for (int row = firstRow; row < endRow; ++row)
        for (int column = firstColumn; column < endColumn; ++column)
            PaintCell(painter, row, column, CellRect(row, column));
    painter.setClipRect(QRect(m_widths[0], 0, area.width(), m_heights[0]));
    for (int column = firstColumn; column < endColumn; ++column)
        PaintCell(painter, 0, column, CellRect(0, column));
    painter.setClipRect(QRect(0, m_heights[0], m_widths[0], area.height()));
    for (int row = firstRow; row < endRow; ++row) PaintCell(painter, row, 0, CellRect(row, 0));
    painter.restore();
    if (rows > 0 && columns > 0) PaintCell(painter, 0, 0, CellRect(0, 0));
}

void CGannGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PaintCells(painter);
}

void CGannGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CGannGrid::UpdateScrollBars() {
    const QSize area = viewport()->size();
    const int fixedWidth = m_widths.empty() ? 0 : m_widths[0];
    const int fixedHeight = m_heights.empty() ? 0 : m_heights[0];
    const int width = Sum(m_widths, 1, static_cast<int>(m_widths.size()));
    const int height = Sum(m_heights, 1, static_cast<int>(m_heights.size()));
    horizontalScrollBar()->setRange(0, std::max(0, width - (area.width() - fixedWidth)));
    horizontalScrollBar()->setPageStep(std::max(1, area.width() - fixedWidth));
    horizontalScrollBar()->setSingleStep(kDefaultWidth / 2);
    verticalScrollBar()->setRange(0, std::max(0, height - (area.height() - fixedHeight)));
    verticalScrollBar()->setPageStep(std::max(1, area.height() - fixedHeight));
    verticalScrollBar()->setSingleStep(kDefaultHeight);
}

void CGannGrid::ScrollTo(int row, int column) {
    const QSize area = viewport()->size();
    if (column > 0) {
        const int left = Offset(m_widths, column);
        const int right = left + m_widths[static_cast<size_t>(column)];
        const int shown = area.width() - m_widths[0];
        QScrollBar* bar = horizontalScrollBar();
        if (left < bar->value())
            bar->setValue(left);
        else if (right > bar->value() + shown)
            bar->setValue(right - shown);
    }
    if (row > 0) {
        const int top = Offset(m_heights, row);
        const int bottom = top + m_heights[static_cast<size_t>(row)];
        const int shown = area.height() - m_heights[0];
        QScrollBar* bar = verticalScrollBar();
        if (top < bar->value())
            bar->setValue(top);
        else if (bottom > bar->value() + shown)
            bar->setValue(bottom - shown);
    }
}

void CGannGrid::scrollContentsBy(int, int) {
    viewport()->update();
}

void CGannGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = CellAt(event->position().toPoint());
    Select(cell.y(), cell.x(), event->modifiers() & Qt::ShiftModifier);
}

void CGannGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() >= 0) Select(cell.y(), cell.x(), true);
}

void CGannGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (!m_table) return QAbstractScrollArea::keyPressEvent(event);
    if (event->matches(QKeySequence::SelectAll)) {
        m_anchorRow = m_anchorColumn = 0;
        m_row = m_table->Rows() - 1;
        m_column = m_table->Columns() - 1;
        viewport()->update();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        Select(m_row, m_column - 1, extend);
        return;
    case Qt::Key_Right:
        Select(m_row, m_column + 1, extend);
        return;
    case Qt::Key_Up:
        Select(m_row - 1, m_column, extend);
        return;
    case Qt::Key_Down:
        Select(m_row + 1, m_column, extend);
        return;
    case Qt::Key_Home:
        Select(m_row, 0, extend);
        return;
    case Qt::Key_End:
        Select(m_row, m_table->Columns() - 1, extend);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}
