#pragma once
#include "ctlkit/base/LOGFONT.h"
#include "formset/qt/CFormsetDialogOf.h"
#include "formset/view/SPaneViewSettings.h"
#include <cstdint>

class CColourButton;
class CFontPicker;
class CLineStyleList;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

// What the chart title, axis and chart window settings dialogs share: the controls of a
// pane's record, each made by the dialog that shows it, and the two check boxes under them,
// "Apply to all panes" and "Save as default for new charts". A control the user leaves as
// it was shown leaves its field as stored (a font the system draws a little wider, a pen
// style the list does not show), so OK without a change keeps the record byte for byte.
class CPaneSettingsFormset : public CFormsetDialogOf<SPaneViewSettings> {
public:
    enum EControl : unsigned {
        kTitleColour = 1001,
        kLabelFont = 1002,
        kAxisTextColour = 1003,
        kAxisFont = 1004,
        kFrameColour = 1005,
        kBackgroundColour = 1006,
        kGridPenStyle = 1007,
        kCellMaxX = SPaneViewSettings::kCellMaxXField,
        kCellMaxY = SPaneViewSettings::kCellMaxYField,
        kVerticalGrid = 1010,
        kHorizontalGrid = 1011,
        kLogScale = 1012,
        kRoundTicks = 1013,
        kIdentifiers = 1020,
        kRemove = 1021,
        kUp = 1022,
        kDown = 1023,
        kApplyToAll = 1030,
        kSaveAsDefault = 1031,
        // The labels, so that a language file can rename them too.
        kTitleColourLabel = 1101,
        kLabelFontLabel = 1102,
        kAxisTextColourLabel = 1103,
        kAxisFontLabel = 1104,
        kFrameColourLabel = 1105,
        kBackgroundColourLabel = 1106,
        kGridPenStyleLabel = 1107,
        kCellMaxXLabel = 1108,
        kCellMaxYLabel = 1109,
        kCellRangeX = 1110,
        kCellRangeY = 1111,
        kIdentifiersLabel = 1112,
    };

    // The line at the top that names the pane edited: "Price pane" for pane 0, else "Pane 1"
    // (the language file's "Text" keys "PricePaneOfSettings" and "PaneOfSettings", "%1"
    // standing for the number).
    static QString PaneText(int pane);

protected:
    // The body holds the pane line; the dialog adds its controls to Column().
    CPaneSettingsFormset(unsigned dialogId, const SPaneViewSettings& settings, QWidget* parent);
    QVBoxLayout& Column() const { return *m_column; }

    // Rows of `grid` from `row` on; each returns the next free row. The controls are made
    // in the order they are added, which is their tab order.
    int AddTitleRows(QGridLayout& grid, int row);
    int AddBackgroundRow(QGridLayout& grid, int row);
    int AddColourRows(QGridLayout& grid, int row, bool withTitle); // axis text, frame (, title)
    int AddAxisFontRow(QGridLayout& grid, int row);
    int AddLabelFontRow(QGridLayout& grid, int row);
    int AddGridRows(QGridLayout& grid, int row);
    // The identifier list with Remove, Up and Down beside it.
    void AddIdentifierList(QGridLayout& grid, int row);
    // The two check boxes, in `column` under the rest.
    void AddChecks(QVBoxLayout& column);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    CColourButton* NewColourButton(unsigned id);
    CFontPicker* NewFontPicker(unsigned id, bool& edited);
    void AddFontRow(QGridLayout& grid, int row, const QString& label, CFontPicker& picker,
                    unsigned labelId);
    int AddCellRow(QGridLayout& grid, int row, const QString& label, unsigned id, unsigned labelId,
                   unsigned rangeId, QLineEdit*& edit);
    void ShowIdentifiers(int current);
    void EditIdentifiers(bool remove, int delta);
    void UpdateIdentifierButtons();

    CColourButton* m_titleColour = nullptr;
    CColourButton* m_axisTextColour = nullptr;
    CColourButton* m_frameColour = nullptr;
    CColourButton* m_backgroundColour = nullptr;
    CFontPicker* m_labelFont = nullptr;
    CFontPicker* m_axisFont = nullptr;
    CLineStyleList* m_gridPenStyle = nullptr;
    QLineEdit* m_cellMaxX = nullptr;
    QLineEdit* m_cellMaxY = nullptr;
    QCheckBox* m_verticalGrid = nullptr;
    QCheckBox* m_horizontalGrid = nullptr;
    QCheckBox* m_logScale = nullptr;
    QCheckBox* m_roundTicks = nullptr;
    QListWidget* m_identifiers = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QVBoxLayout* m_column;
    QCheckBox* m_applyToAll = nullptr;
    QCheckBox* m_saveAsDefault = nullptr;
    // What Load showed, to tell the user's changes from the controls' own rounding.
    CViewPar m_shown;
    int m_shownPenIndex = 0;
    bool m_labelFontEdited = false;
    bool m_axisFontEdited = false;
    bool m_loading = false;
};
