#pragma once
#include <QWidget>
#include <functional>

class CPaneStack;
class CStock;

// The panes of one chart window on screen: arranged to the widget's size and painted by
// PaneStackPainter. Shows the stack and owns nothing.
class PaneStackWidget : public QWidget {
public:
    explicit PaneStackWidget(CPaneStack& stack, QWidget* parent = nullptr);

    // The stack changed: lays it out again and repaints.
    void Relayout();

    // The mouse entered another bar inside a pane's plot area (the chart's bar notification).
    std::function<void(CStock& series, int bar)> onBarEntered;
    // A letter, digit or "^" was typed in a pane: the start of a symbol to look up.
    std::function<void(char typed)> onSymbolKey;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CPaneStack& m_stack;
    int m_lastBar = -1;
};
