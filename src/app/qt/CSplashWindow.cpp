#include "CSplashWindow.h"
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 250;

// Closing presses: keys (with or without Alt) and mouse buttons on or off a window frame.
bool ClosesSplash(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        return true;
    default:
        return false;
    }
}

// A small rising line chart with candles, the program's mark.
void PaintMark(QPainter& painter, const QRectF& area) {
    const double closes[] = {0.30, 0.42, 0.36, 0.55, 0.50, 0.68, 0.62, 0.80};
    const int n = sizeof closes / sizeof closes[0];
    const double step = area.width() / n;
    for (int i = 0; i < n; ++i) {
        const double open = i == 0 ? 0.25 : closes[i - 1];
        const bool up = closes[i] >= open;
        const double top = area.bottom() - area.height() * std::max(open, closes[i]);
        const double bottom = area.bottom() - area.height() * std::min(open, closes[i]);
        const QRectF body(area.left() + i * step + step * 0.2, top, step * 0.6,
                          std::max(2.0, bottom - top));
        painter.fillRect(body, up ? QColor(64, 200, 120) : QColor(235, 90, 80));
    }
    QPainterPath trend;
    for (int i = 0; i < n; ++i) {
        const QPointF p(area.left() + (i + 0.5) * step, area.bottom() - area.height() * closes[i]);
        i == 0 ? trend.moveTo(p) : trend.lineTo(p);
    }
    painter.setPen(QPen(QColor(255, 210, 90), 2.5));
    painter.drawPath(trend);
}
} // namespace

CSplashWindow::CSplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    // Never takes the focus or the active window from the program starting behind it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing it, early or late, never ends the program, even before the main window shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setWindowTitle("ZentriStock starting");
    setFixedSize(kWidth, kHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

CSplashWindow::~CSplashWindow() {
    qApp->removeEventFilter(this);
}

void CSplashWindow::CloseSoon(int ms) {
    QTimer::singleShot(ms, this, [this] { close(); });
}

bool CSplashWindow::eventFilter(QObject*, QEvent* event) {
    if (isVisible() && ClosesSplash(event->type())) close();
    return false;
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(22, 40, 72));
    background.setColorAt(1, QColor(10, 18, 36));
    painter.fillRect(rect(), background);
    PaintMark(painter, QRectF(28, 50, 140, 120));

    QFont title = font();
    title.setPixelSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(196, 60, width() - 206, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     "ZentriStock");
    QFont small = font();
    small.setPixelSize(14);
    painter.setFont(small);
    painter.setPen(QColor(180, 196, 220));
    painter.drawText(QRect(198, 110, width() - 210, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     "End-of-day stock analysis");
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty())
        painter.drawText(QRect(198, 134, width() - 210, 24), Qt::AlignLeft | Qt::AlignVCenter,
                         "Version " + version);
    painter.setPen(QColor(120, 140, 170));
    painter.drawText(QRect(0, height() - 34, width() - 16, 20), Qt::AlignRight | Qt::AlignVCenter,
                     "Loading...");
}
