#include "CPaneSettingsFormset.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/NumberText.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include <QCheckBox>
#include <QFontComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

CPaneSettingsFormset::CPaneSettingsFormset(unsigned dialogId, const SPaneViewSettings& settings,
                                           QWidget* parent)
    : CFormsetDialogOf(dialogId, settings, parent), m_column(new QVBoxLayout(Body())) {
    m_column->setContentsMargins(0, 0, 0, 0);
    auto* pane = new QLabel(PaneText(settings.pane), Body());
    pane->setTextFormat(Qt::PlainText);
    m_column->addWidget(pane);
}

QString CPaneSettingsFormset::PaneText(int pane) {
    if (pane == 0)
        return QString::fromStdString(
            CLanguage::TranslateText("PricePaneOfSettings", "Price pane"));
    return QString::fromStdString(FillPlaceholders(
        CLanguage::TranslateText("PaneOfSettings", "Pane %1"), {{"%1", std::to_string(pane)}}));
}

CColourButton* CPaneSettingsFormset::NewColourButton(unsigned id) {
    auto* button = NewControl<CColourButton>(id);
    // A swatch, not a bar across the dialog.
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

CFontPicker* CPaneSettingsFormset::NewFontPicker(unsigned id, bool& edited) {
    auto* picker = NewControl<CFontPicker>(id);
    connect(picker, &CFontPicker::fontChanged, this, [this, &edited] {
        if (!m_loading) edited = true;
    });
    return picker;
}

// The label's mnemonic goes to the face list: the picker itself takes no focus.
void CPaneSettingsFormset::AddFontRow(QGridLayout& grid, int row, const QString& label,
                                      CFontPicker& picker, unsigned labelId) {
    grid.addWidget(NewLabel(label, *picker.FaceBox(), labelId), row, 0);
    grid.addWidget(&picker, row, 1, 1, 2);
}

int CPaneSettingsFormset::AddTitleRows(QGridLayout& grid, int row) {
    m_titleColour = NewColourButton(kTitleColour);
    AddRow(grid, row++, "&Title colour:", *m_titleColour, kTitleColourLabel);
    return AddLabelFontRow(grid, row);
}

int CPaneSettingsFormset::AddLabelFontRow(QGridLayout& grid, int row) {
    m_labelFont = NewFontPicker(kLabelFont, m_labelFontEdited);
    AddFontRow(grid, row, "Tit&le font:", *m_labelFont, kLabelFontLabel);
    return row + 1;
}

int CPaneSettingsFormset::AddAxisFontRow(QGridLayout& grid, int row) {
    m_axisFont = NewFontPicker(kAxisFont, m_axisFontEdited);
    AddFontRow(grid, row, "Axis &font:", *m_axisFont, kAxisFontLabel);
    return row + 1;
}

int CPaneSettingsFormset::AddBackgroundRow(QGridLayout& grid, int row) {
    m_backgroundColour = NewColourButton(kBackgroundColour);
    AddRow(grid, row++, "&Background colour:", *m_backgroundColour, kBackgroundColourLabel);
    return row;
}

int CPaneSettingsFormset::AddColourRows(QGridLayout& grid, int row, bool withTitle) {
    m_frameColour = NewColourButton(kFrameColour);
    AddRow(grid, row++, "Fra&me colour:", *m_frameColour, kFrameColourLabel);
    if (withTitle) {
        m_titleColour = NewColourButton(kTitleColour);
        AddRow(grid, row++, "&Title colour:", *m_titleColour, kTitleColourLabel);
    }
    m_axisTextColour = NewColourButton(kAxisTextColour);
    AddRow(grid, row++, "Axis te&xt colour:", *m_axisTextColour, kAxisTextColourLabel);
    return row;
}

int CPaneSettingsFormset::AddCellRow(QGridLayout& grid, int row, const QString& label, unsigned id,
                                     unsigned labelId, unsigned rangeId, QLineEdit*& edit) {
    edit = NewControl<QLineEdit>(id);
    // Room for four digits and a sign, not for a line of text.
    const QFontMetrics metrics(edit->font());
    edit->setMaximumWidth(metrics.horizontalAdvance(QString(8, u'0')) + 12);
    AddRow(grid, row, label, *edit, labelId);
    auto* range = NewControl<QLabel>(rangeId);
    range->setText(QString::fromStdString(
        FillPlaceholders(CLanguage::TranslateText("PixelRangeHint", "pixels (%1 to %2)"),
                         {{"%1", std::to_string(SPaneViewSettings::kMinCell)},
                          {"%2", std::to_string(SPaneViewSettings::kMaxCell)}})));
    grid.addWidget(range, row, 2);
    return row + 1;
}

int CPaneSettingsFormset::AddGridRows(QGridLayout& grid, int row) {
    m_gridPenStyle = NewControl<CLineStyleList>(kGridPenStyle);
    AddRow(grid, row++, "Grid line st&yle:", *m_gridPenStyle, kGridPenStyleLabel);
    row = AddCellRow(grid, row, "Grid cell &width:", kCellMaxX, kCellMaxXLabel, kCellRangeX,
                     m_cellMaxX);
    row = AddCellRow(grid, row, "Grid cell &height:", kCellMaxY, kCellMaxYLabel, kCellRangeY,
                     m_cellMaxY);
    m_verticalGrid = NewControl<QCheckBox>(kVerticalGrid);
    m_verticalGrid->setText("&Vertical grid lines");
    grid.addWidget(m_verticalGrid, row++, 1, 1, 2);
    m_horizontalGrid = NewControl<QCheckBox>(kHorizontalGrid);
    m_horizontalGrid->setText("Hori&zontal grid lines");
    grid.addWidget(m_horizontalGrid, row++, 1, 1, 2);
    m_logScale = NewControl<QCheckBox>(kLogScale);
    m_logScale->setText("Logarithmic value scale");
    grid.addWidget(m_logScale, row++, 1, 1, 2);
    m_roundTicks = NewControl<QCheckBox>(kRoundTicks);
    m_roundTicks->setText("Round tic&k values");
    grid.addWidget(m_roundTicks, row++, 1, 1, 2);
    return row;
}

void CPaneSettingsFormset::AddIdentifierList(QGridLayout& grid, int row) {
    m_identifiers = NewControl<QListWidget>(kIdentifiers);
    grid.addWidget(
        NewLabel("&Pane indicators (drawn in this order):", *m_identifiers, kIdentifiersLabel), row,
        0, 1, 2);
    grid.addWidget(m_identifiers, row + 1, 0, 4, 1);
    m_remove = NewControl<QPushButton>(kRemove);
    m_remove->setText("R&emove");
    m_up = NewControl<QPushButton>(kUp);
    m_up->setText("&Up");
    m_down = NewControl<QPushButton>(kDown);
    m_down->setText("&Down");
    grid.addWidget(m_remove, row + 1, 1);
    grid.addWidget(m_up, row + 2, 1);
    grid.addWidget(m_down, row + 3, 1);
    grid.setRowStretch(row + 4, 1);
    for (QPushButton* button : {m_remove, m_up, m_down}) button->setAutoDefault(false);
    connect(m_remove, &QPushButton::clicked, this, [this] { EditIdentifiers(true, 0); });
    connect(m_up, &QPushButton::clicked, this, [this] { EditIdentifiers(false, -1); });
    connect(m_down, &QPushButton::clicked, this, [this] { EditIdentifiers(false, +1); });
    connect(m_identifiers, &QListWidget::currentRowChanged, this,
            [this] { UpdateIdentifierButtons(); });
}

void CPaneSettingsFormset::AddChecks(QVBoxLayout& column) {
    m_applyToAll = NewControl<QCheckBox>(kApplyToAll);
    m_applyToAll->setText("Apply to &all panes");
    column.addWidget(m_applyToAll);
    m_saveAsDefault = NewControl<QCheckBox>(kSaveAsDefault);
    m_saveAsDefault->setText("&Save as default for new charts");
    column.addWidget(m_saveAsDefault);
}

void CPaneSettingsFormset::ShowIdentifiers(int current) {
    m_identifiers->clear();
    for (const std::string& identifier : Copy().par.identifiers)
        m_identifiers->addItem(QString::fromStdString(identifier));
    if (m_identifiers->count() > 0)
        m_identifiers->setCurrentRow(std::clamp(current, 0, m_identifiers->count() - 1));
    UpdateIdentifierButtons();
}

void CPaneSettingsFormset::EditIdentifiers(bool remove, int delta) {
    const int row = m_identifiers->currentRow();
    QWidget* focused = focusWidget();
    const bool done = remove ? Copy().RemoveIdentifier(row) : Copy().MoveIdentifier(row, delta);
    if (!done) return;
    ShowIdentifiers(remove ? row : row + delta);
    // A button greyed by the edit hands the focus to the list, not to the next field.
    if (focused && !focused->isEnabled()) m_identifiers->setFocus();
}

void CPaneSettingsFormset::UpdateIdentifierButtons() {
    const int row = m_identifiers->currentRow();
    const int count = m_identifiers->count();
    m_remove->setEnabled(row >= 0 && row < count);
    m_up->setEnabled(row > 0 && row < count);
    m_down->setEnabled(row >= 0 && row + 1 < count);
}

void CPaneSettingsFormset::Load() {
    m_loading = true;
    const CViewPar& par = Copy().par;
    m_shown = par;
    if (m_titleColour) m_titleColour->SetColour(par.titleColour);
    if (m_axisTextColour) m_axisTextColour->SetColour(par.axisTextColour);
    if (m_frameColour) m_frameColour->SetColour(par.frameColour);
    if (m_backgroundColour) m_backgroundColour->SetColour(par.backgroundColour);
    if (m_labelFont) m_labelFont->SetLogFont(par.labelFont);
    if (m_axisFont) m_axisFont->SetLogFont(par.axisFont);
    if (m_gridPenStyle) {
        m_gridPenStyle->SetPenStyle(par.gridPenStyle);
        m_shownPenIndex = m_gridPenStyle->PenStyle();
    }
    if (m_cellMaxX) m_cellMaxX->setText(QString::number(par.cellMaxX));
    if (m_cellMaxY) m_cellMaxY->setText(QString::number(par.cellMaxY));
    if (m_verticalGrid) m_verticalGrid->setChecked(par.showVerticalGrid != 0);
    if (m_horizontalGrid) m_horizontalGrid->setChecked(par.showHorizontalGrid != 0);
    if (m_logScale) m_logScale->setChecked(par.LogScale());
    if (m_roundTicks) m_roundTicks->setChecked(par.RoundTicks());
    if (m_identifiers) ShowIdentifiers(0);
    if (m_applyToAll) m_applyToAll->setChecked(Copy().applyToAllPanes);
    if (m_saveAsDefault) m_saveAsDefault->setChecked(Copy().saveAsDefault);
    m_labelFontEdited = m_axisFontEdited = false;
    m_loading = false;
}

std::optional<SFieldError> CPaneSettingsFormset::Store() {
    SPaneViewSettings& s = Copy();
    CViewPar& par = s.par;
    // Each field as the user left its control; a control left as shown keeps the field as
    // it was stored.
    const auto colour = [](const CColourButton* button, uint32_t shown, uint32_t& field) {
        if (button) field = button->Colour() != (shown & 0xFFFFFF) ? button->Colour() : shown;
    };
    colour(m_titleColour, m_shown.titleColour, par.titleColour);
    colour(m_axisTextColour, m_shown.axisTextColour, par.axisTextColour);
    colour(m_frameColour, m_shown.frameColour, par.frameColour);
    colour(m_backgroundColour, m_shown.backgroundColour, par.backgroundColour);
    if (m_labelFont) par.labelFont = m_labelFontEdited ? m_labelFont->LogFont() : m_shown.labelFont;
    if (m_axisFont) par.axisFont = m_axisFontEdited ? m_axisFont->LogFont() : m_shown.axisFont;
    if (m_gridPenStyle)
        par.gridPenStyle = m_gridPenStyle->PenStyle() != m_shownPenIndex
                               ? m_gridPenStyle->PenStyle()
                               : m_shown.gridPenStyle;
    const auto flag = [](const QCheckBox* box, int shown, int& field) {
        if (box) field = box->isChecked() != (shown != 0) ? Flag(*box) : shown;
    };
    flag(m_verticalGrid, m_shown.showVerticalGrid, par.showVerticalGrid);
    flag(m_horizontalGrid, m_shown.showHorizontalGrid, par.showHorizontalGrid);
    if (m_logScale && m_logScale->isChecked() != m_shown.LogScale())
        par.SetLogScale(m_logScale->isChecked());
    if (m_roundTicks && m_roundTicks->isChecked() != m_shown.RoundTicks())
        par.SetRoundTicks(m_roundTicks->isChecked());
    if (m_applyToAll) s.applyToAllPanes = m_applyToAll->isChecked();
    if (m_saveAsDefault) s.saveAsDefault = m_saveAsDefault->isChecked();
    const auto cell = [this](const QLineEdit* edit, int& field) -> std::optional<SFieldError> {
        if (!edit) return std::nullopt;
        return ReadWholeNumberField(ControlIdOf(*edit).value_or(0), FieldName(*edit).toStdString(),
                                    edit->text().toStdString(), SPaneViewSettings::kMinCell,
                                    SPaneViewSettings::kMaxCell, field);
    };
    if (auto error = cell(m_cellMaxX, par.cellMaxX)) return error;
    return cell(m_cellMaxY, par.cellMaxY);
}
