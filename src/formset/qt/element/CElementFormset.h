#pragma once
#include "formset/element/FiboLevels.h"
#include "formset/element/SElementRecord.h"
#include "formset/qt/CFormsetDialogOf.h"
#include <memory>

class CColourButton;
class CFontPicker;
class CLine;
class CLineStyleList;
class CSymbol;
class CSymbolPicker;
class CToolWidthList;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "Element Properties" (dialog 260): the settings of one drawing tool, edited on its stored
// record. Every tool has the line group (pen colour, width 0 to 10, style, extension, price
// snapping and the field snapped to) and the two anchors as date and price; the tools with
// fields of their own have a group for them beside it. The text dialog (dialog 261) is the
// text group of a text element alone, opened when one is placed.
class CElementFormset : public CFormsetDialogOf<SElementRecord> {
public:
    static constexpr unsigned kDialogId = 260;
    static constexpr unsigned kTextDialogId = 261;
    enum class EMode { Properties, PlacedText };
    enum EControl : unsigned {
        kColour = 1001,
        kWidth = 1002,
        kStyle = 1003,
        kExtendLeft = 1004,
        kExtendRight = 1005,
        kSnap = 1006,
        kSnapField = 1007,
        kDate1 = 1010,
        kPrice1 = 1011,
        kDate2 = 1012,
        kPrice2 = 1013,
        kDate3 = 1014,
        kPrice3 = 1015,
        kUpperShown = 1020,
        kLowerShown = 1021,
        kSlope = 1022,
        kIntercept = 1023,
        kLabelColour = 1030,
        kLabelFont = 1031,
        kLevels = 1032,
        kAddLevel = 1033,
        kRemoveLevel = 1034,
        kRestoreLevels = 1035,
        kRatio = 1040,
        kZoneCount = 1041,
        kOffsets = 1042,
        kCycleCount = 1043,
        kHeadFlag = 1044,
        kHeadFactor = 1045,
        kHeadLength = 1046,
        kText = 1050,
        kTextColour = 1051,
        kTextFont = 1052,
        kIcon = 1053,
        // Groups and labels, so that a language file can rename them too.
        kLineGroup = 1200,
        kAnchorGroup = 1201,
        kToolGroup = 1202,
    };
    // A field's label has the field's identifier plus this.
    static constexpr unsigned kLabelOffset = 100;
    // Ranges of the tools' own fields.
    static constexpr float kMinHeadFactor = 0.05f;
    static constexpr float kMaxHeadFactor = 1.0f;
    static constexpr int kMaxHeadLength = 100;

    // `model.record` must be the record of a drawing tool (ElementRecord::NewElement takes it).
    CElementFormset(const SElementRecord& model, QWidget* parent, EMode mode = EMode::Properties);
    ~CElementFormset() override;

    int TypeCode() const { return m_typeCode; }

private:
    void Load() override;
    std::optional<SFieldError> Store() override;

    // The label of `control` (identifier: the control's plus kLabelOffset) and the control.
    void Row(QGridLayout& grid, int row, const QString& label, QWidget& control);
    // A label for `buddy` named after the control `id`.
    QLabel* LabelFor(unsigned id, const QString& text, QWidget& buddy);
    QCheckBox* NewCheck(unsigned id, const QString& text);
    QLineEdit* NewEdit(unsigned id, bool readOnly = false);
    QGroupBox* NewGroup(unsigned id, const QString& title);

    QGroupBox* MakeLineGroup();
    QGroupBox* MakeAnchorGroup();
    // The group of the tool's own fields; null for tools that have none.
    QGroupBox* MakeToolGroup();
    void MakeChannelRows(QGridLayout& grid);
    void MakeRegressionRows(QGridLayout& grid);
    void MakeRetraceRows(QGridLayout& grid);
    void MakeTextRows(QGridLayout& grid);

    void LoadLine(const CLine& line);
    void LoadTool(const CSymbol& element);
    std::optional<SFieldError> StoreLine(CLine& line);
    std::optional<SFieldError> StoreTool(CSymbol& element);
    std::optional<SFieldError> ReadInt(const QLineEdit& edit, int low, int high, int& value) const;
    std::optional<SFieldError> ReadRanged(const QLineEdit& edit, float low, float high,
                                          bool inclusive, float& value) const;
    std::optional<SFieldError> ReadDate(const QLineEdit& edit, float& x) const;
    void ShowLevelRows(const std::vector<FiboLevels::SRow>& rows);
    std::vector<FiboLevels::SRow> LevelRows() const;
    void ShowOffsets();
    void AddLevel();
    void RemoveLevel();
    void RestoreLevels();

    EMode m_mode;
    int m_typeCode = 0;

    // The line group and the anchors (null in the text dialog).
    CColourButton* m_colour = nullptr;
    CToolWidthList* m_width = nullptr;
    CLineStyleList* m_style = nullptr;
    QCheckBox* m_extendLeft = nullptr;
    QCheckBox* m_extendRight = nullptr;
    QCheckBox* m_snap = nullptr;
    QComboBox* m_snapField = nullptr;
    QLineEdit* m_date1 = nullptr;
    QLineEdit* m_price1 = nullptr;
    QLineEdit* m_date2 = nullptr;
    QLineEdit* m_price2 = nullptr;
    // The tools' own fields, those of the element's tool only.
    QLineEdit* m_date3 = nullptr;
    QLineEdit* m_price3 = nullptr;
    QCheckBox* m_upperShown = nullptr;
    QCheckBox* m_lowerShown = nullptr;
    QLineEdit* m_slope = nullptr;
    QLineEdit* m_intercept = nullptr;
    CColourButton* m_labelColour = nullptr;
    CFontPicker* m_labelFont = nullptr;
    QTableWidget* m_levels = nullptr;
    QLineEdit* m_ratio = nullptr;
    QLineEdit* m_zoneCount = nullptr;
    QLineEdit* m_offsets = nullptr;
    QLineEdit* m_cycleCount = nullptr;
    QCheckBox* m_headFlag = nullptr;
    QLineEdit* m_headFactor = nullptr;
    QLineEdit* m_headLength = nullptr;
    QPlainTextEdit* m_text = nullptr;
    CColourButton* m_textColour = nullptr;
    CFontPicker* m_textFont = nullptr;
    CSymbolPicker* m_icon = nullptr;
    // A font is taken only once the user changed it: the picker would otherwise hand back
    // its own measure of the character width.
    bool m_labelFontChanged = false;
    bool m_textFontChanged = false;
};
