#include "CChartWindowFormset.h"
#include "ctlkit/lang/CLanguage.h"
#include <QGridLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString TabText(const char* key, const char* fallback) {
    return QString::fromStdString(CLanguage::TranslateText(key, fallback));
}

} // namespace

CChartWindowFormset::CChartWindowFormset(const SPaneViewSettings& settings, QWidget* parent)
    : CPaneSettingsFormset(kDialogId, settings, parent) {
    setWindowTitle("Chart Window Setting");
    auto* tabs = NewControl<QTabWidget>(kTabs);
    const auto page = [tabs](const QString& title) {
        auto* widget = new QWidget(tabs);
        auto* grid = new QGridLayout(widget);
        tabs->addTab(widget, title);
        return grid;
    };
    QGridLayout* colours = page(TabText("TabColours", "Colou&rs"));
    AddColourRows(*colours, AddBackgroundRow(*colours, 0), true);
    colours->setRowStretch(colours->rowCount(), 1);
    colours->setColumnStretch(2, 1); // the swatches stay beside their labels
    QGridLayout* grid = page(TabText("TabGrid", "&Grid"));
    AddGridRows(*grid, 0);
    grid->setRowStretch(grid->rowCount(), 1);
    QGridLayout* fonts = page(TabText("TabFonts", "Fo&nts"));
    AddAxisFontRow(*fonts, AddLabelFontRow(*fonts, 0));
    fonts->setRowStretch(fonts->rowCount(), 1);
    QGridLayout* indicators = page(TabText("TabIndicators", "&Indicators"));
    AddIdentifierList(*indicators, 0);
    Column().addWidget(tabs);
    AddChecks(Column());
}
