#include "CGannTableWindow.h"
#include "CGannGrid.h"
#include "CGannSettingFormset.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "ctlkit/lang/qt/QtTranslation.h"
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>

CGannTableWindow::CGannTableWindow(const std::string& homePage, QWidget* parent) : QDialog(parent) {
    setObjectName("GannTable");
    setWindowTitle("Gann Table");
    setSizeGripEnabled(true);
    resize(640, 480);

    m_menu = new QMenuBar(this);
    BuildMenuBar(
        *m_menu,
        {SMenuItem::Popup("S&etting", {SMenuItem::Command(kCmdSetting, "Gann Chart Setting..."),
                                       SMenuItem::Command(kCmdAutoSize, "Auto Size"),
                                       SMenuItem::Command(kCmdExit, "Exit")})},
        [this](unsigned id) { OnCommand(id); });

    m_caption = new QLabel("Gann Table Result:", this);
    SetControlId(*m_caption, kCaption);
    m_link = new QLabel(this);
    SetControlId(*m_link, kLink);
    const QString address = QString::fromStdString(homePage).toHtmlEscaped();
    m_link->setText(QString("<a href=\"%1\"><u>%1</u></a>").arg(address));
    m_link->setTextFormat(Qt::RichText);
    m_link->setOpenExternalLinks(true);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_link->setVisible(!homePage.empty());

    m_grid = new CGannGrid(this);
    SetControlId(*m_grid, kGrid);
    m_grid->SetTable(&m_table);
    setFocusProxy(m_grid);

    TranslateWidgets(*this, kDialogId);
    TranslateMenus(*m_menu, kMenuId);

    askSetting = [this](SGannSetting& setting) {
        return DialogOnCopy<CGannSettingFormset>(this)(setting);
    };
    Layout();
}

void CGannTableWindow::OnCommand(unsigned id) {
    switch (id) {
    case kCmdSetting: {
        SGannSetting setting = SGannSetting::Of(m_table);
        if (askSetting && askSetting(setting)) ApplySetting(setting);
        return;
    }
    case kCmdAutoSize:
        m_grid->AutoSize();
        return;
    case kCmdExit:
        reject();
        return;
    default:
        return;
    }
}

bool CGannTableWindow::ApplySetting(const SGannSetting& setting) {
    if (!setting.ApplyTo(m_table)) return false;
    m_grid->SetTable(&m_table);
    return true;
}

void CGannTableWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

// The menu on top, the caption strip under it, the grid in all the rest.
void CGannTableWindow::Layout() {
    const int menuHeight = m_menu->sizeHint().height();
    m_menu->setGeometry(0, 0, width(), menuHeight);
    const int captionWidth = m_caption->sizeHint().width();
    m_caption->setGeometry(6, menuHeight, captionWidth, kStripHeight);
    const int linkLeft = 6 + captionWidth + 12;
    m_link->setGeometry(linkLeft, menuHeight, std::max(0, width() - linkLeft - 6), kStripHeight);
    m_link->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_grid->setGeometry(0, menuHeight + kStripHeight, width(),
                        std::max(0, height() - menuHeight - kStripHeight));
}
