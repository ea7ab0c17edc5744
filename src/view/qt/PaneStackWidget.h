#pragma once
#include <QWidget>

class CPaneStack;

// The panes of one chart window on screen: arranged to the widget's size and painted by
// PaneStackPainter. Shows the stack and owns nothing.
class PaneStackWidget : public QWidget {
public:
    explicit PaneStackWidget(CPaneStack& stack, QWidget* parent = nullptr);

    // The stack changed: lays it out again and repaints.
    void Relayout();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CPaneStack& m_stack;
};
