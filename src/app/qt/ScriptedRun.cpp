#include "ScriptedRun.h"
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPixmap>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

ScriptedRun::ScriptedRun(CommandRunner runner, std::vector<std::string> commands, QString grabFile,
                         int grabAfterMs)
    : m_runner(std::move(runner)), m_commands(std::move(commands)), m_grabFile(std::move(grabFile)),
      m_grabAfterMs(grabAfterMs) {
    if (!m_grabFile.isEmpty() && m_grabAfterMs >= 0)
        QTimer::singleShot(m_grabAfterMs, this, [this] { Grab(); });
    qApp->installEventFilter(this);
}

void ScriptedRun::Watch(QWidget& mainWindow) {
    m_mainWindow = &mainWindow;
    m_painted = FirstPainted(mainWindow);
}

// The widget whose first paint means the window shows its contents: a window covered by
// its central widget gets no paint event of its own.
QWidget* ScriptedRun::FirstPainted(QWidget& window) {
    if (auto* frame = qobject_cast<QMainWindow*>(&window))
        if (frame->centralWidget()) return frame->centralWidget();
    return &window;
}

// The main window's contents, or a message box that start-up shows before the main window:
// either is what the user sees first.
bool ScriptedRun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_started || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* modal = QApplication::activeModalWidget();
    if ((m_painted && widget == m_painted) || (modal && widget->window() == modal)) {
        m_started = true;
        // After this paint has finished.
        QTimer::singleShot(0, this, [this] { Start(); });
    }
    return QObject::eventFilter(watched, event);
}

void ScriptedRun::Start() {
    qApp->removeEventFilter(this);
    if (!m_grabFile.isEmpty() && m_grabAfterMs < 0) QTimer::singleShot(0, this, [this] { Grab(); });
    RunCommands();
}

void ScriptedRun::RunCommands() {
    for (const std::string& command : m_commands) {
        if (m_grabbed) return;
        bool number = false;
        const unsigned id = QString::fromStdString(command).toUInt(&number);
        if (!number || !m_runner(id))
            std::fprintf(stderr, "zentristock: no command %s; ignored.\n", command.c_str());
    }
}

QWidget* ScriptedRun::ActiveWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_mainWindow;
}

void ScriptedRun::Grab() {
    if (m_grabbed) return;
    m_grabbed = true;
    QWidget* window = ActiveWindow();
    const QPixmap shot = window ? window->grab() : QPixmap();
    QSaveFile file(m_grabFile);
    const bool saved = !shot.isNull() && file.open(QIODevice::WriteOnly) &&
                       shot.save(&file, "PNG") && file.commit();
    if (!saved) {
        std::fprintf(stderr, "zentristock: the screenshot %s cannot be written.\n",
                     m_grabFile.toLocal8Bit().constData());
        m_status = 1;
    }
    // Each call ends the innermost event loop running then (a modal dialog's, or one that a
    // start-up step runs before the main loop): asked again until the main loop has ended.
    QApplication::exit(m_status);
    auto* again = new QTimer(this);
    connect(again, &QTimer::timeout, this, [this] { QApplication::exit(m_status); });
    again->start(50);
}
