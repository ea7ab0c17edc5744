#pragma once
#include "view/CElementTracker.h"
#include "view/CPaneInput.h"
#include <QFont>
#include <QImage>
#include <QLine>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <optional>

class CPaneStack;
class CStock;
class CZentriStockView;
class QAbstractButton;

// One pane of a chart window on screen: the part of the window's splitter that shows one
// view. The view is painted into an image of the widget's device pixels, which each paint
// copies in one step; the image is kept until the pane is stale, so a repaint for the cursor
// alone draws the cursor over the kept image and never lays the pane out again. The widget
// also places and drags the pane's elements with its tracker.
class CPaneWidget : public QWidget {
public:
    enum class EStale {
        Cursor, // only the cursor moved: the kept image is copied again
        Pane,   // the pane is painted anew before the next copy
    };
    // What the paint path did, for tests and benchmarks.
    struct SCounters {
        int renders = 0;     // the view laid out and painted into the image
        int imageCopies = 0; // the image copied to the screen
    };

    CPaneWidget(CPaneStack& stack, int pane, QWidget* parent = nullptr);

    int Pane() const { return m_pane; }
    CZentriStockView& View() const;
    CElementTracker& Tracker() { return m_tracker; }
    const SCounters& Counters() const { return m_counters; }
    QAbstractButton& TitleButton() const { return *m_titleButton; }

    // Schedules a repaint of what is stale.
    void Invalidate(EStale stale);
    // The bar under the mouse in any pane of the chart (-1: none) and the mouse row in this
    // pane (-1 when the mouse is in another one): with the crosshair on, a line through the
    // bar and one along the row, with the row's value and the bar's date in tags.
    void SetCursor(int bar, int row);
    void SetCrosshair(bool on);
    bool Crosshair() const { return m_crosshair; }

    // The pane's title button toggled the other panes.
    std::function<void(int pane)> onTitleToggled;
    // The pane took the keyboard focus.
    std::function<void(int pane)> onFocused;
    // The mouse moved to another bar or row inside the plot (bar -1: it left the plot).
    std::function<void(int pane, int bar, int row)> onCursorMoved;
    // The mouse entered another bar inside the plot (the chart's bar notification).
    std::function<void(CStock& series, int bar)> onBarEntered;
    // An element was placed, selected or dragged: every pane is to be repainted.
    std::function<void()> onElementsChanged;
    // A text element was placed and waits for its text.
    std::function<void(int pane)> onTextPlaced;
    // The right button asked for the pane's context menu at `global`; `valueAxis` when over
    // the value axis (its scale commands), else the chart's commands.
    std::function<void(int pane, QPoint global, bool valueAxis)> onContextMenu;
    // A letter, digit or "^" was typed: the start of a symbol to look up.
    std::function<void(char typed)> onSymbolKey;
    // The status read-out: the value under the mouse and the bar's date (empty: none).
    std::function<void(const std::string& value, const std::string& date)> onReadOut;
    // A double click asked for a dialog: element properties, window settings or Y scale.
    std::function<void(int pane, SInputResult::EOpen dialog)> onOpen;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Where the crosshair and its tags go for the cursor bar and row.
    struct SCursorShape {
        bool shown = false;
        bool onRow = false;
        QLine column, row;
        QFont font;
        QString value, date;
        QRect valueTag, dateTag;
    };
    void Render();
    SCursorShape CursorShape() const;
    static QRegion CursorRegion(const SCursorShape& shape);
    void PaintCursor(QPainter& painter);
    void PlaceTitleButton();
    void ToggleSolo();
    void ReportPlace();
    SPaneMapping Mapping() const;
    void Apply(const SInputResult& result);
    void ShowCursor(ECursor cursor);

    CPaneStack& m_stack;
    int m_pane;
    CElementTracker m_tracker;
    CPaneInput m_input;
    QAbstractButton* m_titleButton;
    QImage m_image;
    EStale m_stale = EStale::Pane;
    SCounters m_counters;
    bool m_crosshair = false;
    int m_cursorBar = -1;
    int m_cursorRow = -1;
    // Measured when the cursor moves or the pane is laid out, not on every paint.
    SCursorShape m_cursorShape;
    // The cursor last set and the pixel ratio it was drawn for (0: none set yet).
    ECursor m_shownCursor = ECursor::Chart;
    qreal m_shownRatio = 0;
    // Where the mouse last moved in the pane; none after it left.
    std::optional<QPoint> m_mouse;
};
