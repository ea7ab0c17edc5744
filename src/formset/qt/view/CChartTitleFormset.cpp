#include "CChartTitleFormset.h"
#include <QGridLayout>
#include <QVBoxLayout>

CChartTitleFormset::CChartTitleFormset(const SPaneViewSettings& settings, QWidget* parent)
    : CPaneSettingsFormset(kDialogId, settings, parent) {
    setWindowTitle("Chart Title Setting");
    auto* grid = new QGridLayout;
    AddTitleRows(*grid, 0);
    grid->setColumnStretch(1, 1);
    Column().addLayout(grid);
    AddChecks(Column());
}
