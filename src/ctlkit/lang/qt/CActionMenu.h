#pragma once
#include "ctlkit/lang/LangMenu.h"
#include <QList>
#include <memory>
#include <vector>

class QAction;
class QWidget;

// A menu bar or menu as CLanguage::TranslateMenu walks it: the widget's actions by position
// (hidden ones counted, as the menu table lists them); an action with a menu is a pop-up, a
// command item's identifier is its data (MenuAction.h). The first text change of an action
// that has no resource text records its text as one, so translation off can restore it.
// The actions are taken when the object is made.
class CActionMenu : public CTranslatableMenu {
public:
    // `menu` is a QMenuBar or a QMenu.
    explicit CActionMenu(QWidget& menu);
    ~CActionMenu() override;

    unsigned ItemCount() const override { return static_cast<unsigned>(m_actions.size()); }
    bool IsSeparator(unsigned pos) const override;
    bool IsPopup(unsigned pos) const override;
    unsigned ItemId(unsigned pos) const override;
    std::string ItemText(unsigned pos) const override;
    void SetItemText(unsigned pos, const std::string& text) override;
    std::string ResourceText(unsigned pos) const override;
    CTranslatableMenu* SubMenu(unsigned pos) override;

private:
    QAction& At(unsigned pos) const { return *m_actions.at(pos); }

    QList<QAction*> m_actions;
    std::vector<std::unique_ptr<CActionMenu>> m_subMenus; // by position, made when asked for
};
