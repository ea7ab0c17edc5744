#include "CAxisSettingFormset.h"
#include <QGridLayout>
#include <QVBoxLayout>

CAxisSettingFormset::CAxisSettingFormset(const SPaneViewSettings& settings, QWidget* parent)
    : CPaneSettingsFormset(kDialogId, settings, parent) {
    setWindowTitle("Axis Setting");
    auto* grid = new QGridLayout;
    int row = 0;
    row = AddColourRows(*grid, row, false);
    row = AddAxisFontRow(*grid, row);
    AddGridRows(*grid, row);
    grid->setColumnStretch(2, 1);
    Column().addLayout(grid);
    AddChecks(Column());
}
