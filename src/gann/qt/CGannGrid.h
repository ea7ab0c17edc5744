#pragma once
#include "gann/CGannTable.h"
#include <QAbstractScrollArea>
#include <QFont>
#include <array>
#include <vector>

// The grid of a Gann table: every cell of the table with its text, format and colours; the
// header row and column stay in view while the rest scrolls. A rectangle of cells can be
// selected with the mouse or Shift and the arrow keys, and Ctrl+C copies it.
class CGannGrid : public QAbstractScrollArea {
public:
    static constexpr int kDefaultWidth = 60;
    static constexpr int kDefaultHeight = 22;

    explicit CGannGrid(QWidget* parent = nullptr);

    // The table to show (not owned); call again after the table was refilled.
    void SetTable(const CGannTable* table);
    const CGannTable* Table() const { return m_table; }

    // Every column and row as wide and as high as its widest and highest text.
    void AutoSize();
    int ColumnWidth(int column) const { return m_widths.at(column); }
    int RowHeight(int row) const { return m_heights.at(row); }

    // The selected rectangle, corners included; none while the table is empty.
    struct SSelection {
        int top = 1, left = 1, bottom = 1, right = 1;
        friend bool operator==(const SSelection&, const SSelection&) = default;
    };
    SSelection Selection() const;
    void Select(int row, int column, bool extend);
    // Puts the selected cells on the clipboard as tab-separated lines.
    void CopySelection() const;

    // The cell under `pos` in viewport coordinates; -1, -1 outside any cell.
    QPoint CellAt(const QPoint& pos) const;
    // The cell's rectangle in viewport coordinates as it is drawn now.
    QRect CellRect(int row, int column) const;

    // Draws the cells in view, as paintEvent does (the benchmark calls it directly).
    void PaintCells(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void PaintCell(QPainter& painter, int row, int column, const QRect& rect) const;
    void ScrollTo(int row, int column);
    int Offset(const std::vector<int>& sizes, int index) const;
    int TextWidth(const QString& text) const;

    const CGannTable* m_table = nullptr;
    std::vector<int> m_widths;
    std::vector<int> m_heights;
    int m_anchorRow = 1, m_anchorColumn = 1;
    int m_row = 1, m_column = 1;
    // Advances of the ASCII characters in the grid's font: the numbers need no shaping, and
    // measuring every cell of a large square one by one is slow.
    mutable std::array<qreal, 128> m_advances{};
    mutable QFont m_measured;
};
