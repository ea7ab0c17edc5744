#include "CActionMenu.h"
#include "MenuAction.h"
#include <QAction>
#include <QMenu>

CActionMenu::CActionMenu(QWidget& menu) : m_actions(menu.actions()) {
    m_subMenus.resize(m_actions.size());
}

CActionMenu::~CActionMenu() = default;

bool CActionMenu::IsSeparator(unsigned pos) const {
    return At(pos).isSeparator();
}

bool CActionMenu::IsPopup(unsigned pos) const {
    return At(pos).menu() != nullptr;
}

unsigned CActionMenu::ItemId(unsigned pos) const {
    return IsSeparator(pos) ? 0 : CommandIdOf(At(pos));
}

std::string CActionMenu::ItemText(unsigned pos) const {
    return At(pos).text().toStdString();
}

void CActionMenu::SetItemText(unsigned pos, const std::string& text) {
    QAction& action = At(pos);
    if (!HasResourceText(action)) SetResourceText(action, action.text());
    action.setText(QString::fromStdString(text));
}

std::string CActionMenu::ResourceText(unsigned pos) const {
    return ResourceTextOf(At(pos)).toStdString();
}

CTranslatableMenu* CActionMenu::SubMenu(unsigned pos) {
    QMenu* menu = At(pos).menu();
    if (!menu) return nullptr;
    std::unique_ptr<CActionMenu>& sub = m_subMenus.at(pos);
    if (!sub) sub = std::make_unique<CActionMenu>(*menu);
    return sub.get();
}
