#include "QtTranslation.h"
#include "CActionMenu.h"
#include "CWidgetWindow.h"
#include "ctlkit/lang/CLanguage.h"
#include <QMenu>
#include <QMenuBar>

void TranslateWidgets(QWidget& dialog, const CLangSection& section) {
    CWidgetWindow window(dialog);
    CLanguage::TranslateDialog(window, section);
}

void TranslateMenus(QMenuBar& bar, const CLangSection& section) {
    CActionMenu menu(bar);
    CLanguage::TranslateMenu(menu, section);
}

void TranslateMenus(QMenu& menu, const CLangSection& section) {
    CActionMenu items(menu);
    CLanguage::TranslateMenu(items, section);
}
