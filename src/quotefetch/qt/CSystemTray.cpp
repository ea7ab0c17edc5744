#include "CSystemTray.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include "quotefetch/TrayMenu.h"
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace {
// A down arrow over a rising line: quotes coming in.
QIcon DownloaderIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 16.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
        painter.drawRoundedRect(QRectF(0.5 * s, 0.5 * s, 15 * s, 15 * s), 3 * s, 3 * s);
        painter.setPen(QPen(QColor(0x9f, 0xe0, 0x7f), 1.5 * s));
        painter.drawPolyline(QPolygonF({QPointF(2.5 * s, 12 * s), QPointF(6 * s, 9 * s),
                                        QPointF(9 * s, 10.5 * s), QPointF(13.5 * s, 5 * s)}));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({QPointF(6 * s, 2 * s), QPointF(10 * s, 2 * s),
                                       QPointF(10 * s, 5 * s), QPointF(12 * s, 5 * s),
                                       QPointF(8 * s, 9 * s), QPointF(4 * s, 5 * s),
                                       QPointF(6 * s, 5 * s)}));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

CSystemTray::CSystemTray() = default;

CSystemTray::~CSystemTray() {
    RemoveIcon();
}

bool CSystemTray::Available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CSystemTray::AddIcon() {
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(DownloaderIcon());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Context) Fire(EEvent::RightButtonUp);
                    if (reason == QSystemTrayIcon::DoubleClick) Fire(EEvent::LeftDoubleClick);
                });
    }
    m_icon->setToolTip(QString::fromStdString(CLanguage::TranslateString(513).value_or("")));
    m_icon->show();
    return m_icon->isVisible();
}

void CSystemTray::RemoveIcon() {
    if (m_icon) m_icon->hide();
}

bool CSystemTray::HasIcon() const {
    return m_icon && m_icon->isVisible();
}

bool CSystemTray::LoadMenu() {
    if (!m_menu) {
        m_menu = std::make_unique<QMenu>();
        BuildMenu(*m_menu, DownloaderTrayMenu(), [this](unsigned command) { FireCommand(command); });
    }
    TranslateMenus(*m_menu, kTrayMenuId);
    return !m_menu->actions().isEmpty();
}

void CSystemTray::ShowMenu() {
    if (m_menu) m_menu->popup(QCursor::pos());
}
