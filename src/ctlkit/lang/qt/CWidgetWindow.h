#pragma once
#include "ctlkit/lang/LangWindow.h"
#include <memory>
#include <vector>

class QWidget;

// A dialog's widget tree as CLanguage::TranslateDialog walks it. The dialog is window 0 and
// its text is the window title. Below it only widgets with a control identifier (ControlId.h)
// are windows; the others are passed through, so their identified descendants become
// children of the nearest identified ancestor. Labels, buttons (push, check, radio) and
// group-box titles have a text; other controls (edits, lists) have none and keep their
// contents. Windows of their own below the dialog (menus, other dialogs) are not part of it.
// The tree is taken when the object is made.
class CWidgetWindow : public CTranslatableWindow {
public:
    explicit CWidgetWindow(QWidget& dialog);

    unsigned ControlId() const override { return m_id; }
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    size_t ChildCount() const override { return m_children.size(); }
    CTranslatableWindow& Child(size_t index) override { return *m_children.at(index); }

private:
    CWidgetWindow(QWidget& control, unsigned id);
    void AddControlsBelow(QWidget& widget);

    QWidget& m_widget;
    unsigned m_id;
    bool m_isDialog;
    std::vector<std::unique_ptr<CWidgetWindow>> m_children;
};
