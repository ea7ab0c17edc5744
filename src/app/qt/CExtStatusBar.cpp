#include "CExtStatusBar.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <utility>

namespace {
QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsLockKey(int key) {
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}
} // namespace

CExtStatusBar::CExtStatusBar(CStatusBarPanes::LockKeysSource lockKeys, QWidget* parent)
    : QStatusBar(parent), m_panes(std::move(lockKeys)) {
    const std::pair<unsigned, const char*> lockTexts[] = {
        {ID_INDICATOR_CAPS, "CAP"}, {ID_INDICATOR_NUM, "NUM"}, {ID_INDICATOR_SCRL, "SCRL"}};
    for (int index = 0; index < m_panes.Count(); ++index) {
        QLabel* label = MakePane(index);
        m_labels.push_back(label);
        if (index == 0) {
            addWidget(label, 1);
            continue;
        }
        for (const auto& [id, onText] : lockTexts) {
            if (m_panes.IndexOf(id) != index) continue;
            // As wide as the key's text even while the key is off, so nothing moves.
            label->setText(QString::fromLatin1(onText));
            label->setMinimumWidth(label->sizeHint().width());
        }
        ShowPaneText(index);
        addPermanentWidget(label);
    }
    m_connection = new QLabel(this);
    m_connection->setObjectName(QStringLiteral("connection"));
    m_connection->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_connection->setContentsMargins(5, 0, 5, 0);
    m_connection->hide();
    addPermanentWidget(m_connection);

    connect(&m_lockKeysTimer, &QTimer::timeout, this, [this] { RefreshLockKeys(); });
    m_lockKeysTimer.start(kLockKeysIntervalMs);
    qApp->installEventFilter(this);
}

QLabel* CExtStatusBar::MakePane(int index) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("pane%1").arg(index));
    label->setText(ToQt(m_panes.Text(index)));
    if (index > 0) {
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(5, 0, 5, 0);
        label->setAlignment(Qt::AlignCenter);
    }
    return label;
}

// A pane grows to fit a longer text but does not shrink back, so that read-outs which change
// with the cursor do not make the bar jump.
void CExtStatusBar::ShowPaneText(int index) {
    QLabel* label = m_labels.at(index);
    label->setText(ToQt(m_panes.Text(index)));
    if (index > 0)
        label->setMinimumWidth(std::max(label->minimumWidth(), label->sizeHint().width()));
}

bool CExtStatusBar::SetPaneText(int index, const std::string& text) {
    if (!m_panes.SetPaneText(index, text)) return false;
    ShowPaneText(index);
    return true;
}

void CExtStatusBar::RefreshLockKeys() {
    for (unsigned id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        const int index = m_panes.IndexOf(id);
        if (index >= 0 && index < static_cast<int>(m_labels.size()))
            m_labels[index]->setText(ToQt(m_panes.Text(index)));
    }
}

void CExtStatusBar::SetConnectionText(const std::string& text) {
    m_connection->setText(ToQt(text));
    m_connection->setVisible(!text.empty());
}

bool CExtStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && IsLockKey(static_cast<QKeyEvent*>(event)->key()))
        RefreshLockKeys();
    return QStatusBar::eventFilter(watched, event);
}
