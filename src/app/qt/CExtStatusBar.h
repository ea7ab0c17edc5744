#pragma once
#include "app/CStatusBarPanes.h"
#include <QStatusBar>
#include <QTimer>
#include <string>
#include <vector>

class QLabel;

// The main frame's status bar over its seven panes: the stretching message pane (a label;
// showMessage covers it for a while), the lock-key indicators "CAP", "NUM" and "SCRL", the
// program's three panes, and at the far right the connection indicator, hidden while it has
// no text. The lock keys are read again four times a second and when one is released.
//
// The labels are named "pane0" to "pane6" and "connection".
class CExtStatusBar : public QStatusBar {
public:
    explicit CExtStatusBar(CStatusBarPanes::LockKeysSource lockKeys, QWidget* parent = nullptr);

    // The texts; change them through SetPaneText so that the labels follow.
    CStatusBarPanes& Panes() { return m_panes; }
    // False for an index out of range and for the lock indicators.
    bool SetPaneText(int index, const std::string& text);
    void RefreshLockKeys();
    // "Online" or "Offline"; empty hides the indicator.
    void SetConnectionText(const std::string& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kLockKeysIntervalMs = 250;

    QLabel* MakePane(int index);
    void ShowPaneText(int index);

    CStatusBarPanes m_panes;
    std::vector<QLabel*> m_labels;
    QLabel* m_connection = nullptr;
    QTimer m_lockKeysTimer;
};
