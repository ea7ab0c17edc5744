#include "CElementFormset.h"
#include "CToolWidthList.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/NumberText.h"
#include "formset/element/AnchorDates.h"
#include "formset/element/ElementRecord.h"
#include "formset/element/SnapChoices.h"
#include "formset/element/ToolFields.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CFontPicker.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include "formset/qt/pickers/CSymbolPicker.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLineReg.h"
#include "tools/CSDChannel.h"
#include "tools/CSEChannel.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// What the title calls a tool whose record holds no name of its own (the base's "Symbol",
// when no language file named it).
QString NeutralToolName(int code) {
    switch (code) {
    case 1:
        return "Trend Line";
    case 2:
        return "Rectangle";
    case 3:
        return "Arrow";
    case 6:
        return "Cycle Lines";
    case 7:
        return "Ellipse";
    case 8:
        return "Fibonacci Arcs";
    case 9:
        return "Fibonacci Fan";
    case 10:
        return "Fibonacci Retracement";
    case 11:
        return "Fibonacci Time Zones";
    case 12:
        return "Gann Line";
    case 13:
        return "Gann Fan";
    case 15:
        return "Equidistant Channel";
    case 16:
        return "Standard Deviation Channel";
    case 17:
        return "Standard Error Channel";
    case 19:
        return "Horizontal Line";
    case 20:
        return "Linear Regression";
    case 24:
        return "Speed Resistance Lines";
    case 27:
        return "Triangle";
    case 28:
        return "Vertical Line";
    case 29:
        return "Icon";
    case 30:
        return "Text";
    default:
        return "Element";
    }
}

QString TitleOf(const CSymbol* element, int code) {
    if (element && !element->name.empty() && element->name != CSymbol().name)
        return Qs(element->name) + " Properties";
    return NeutralToolName(code) + " Properties";
}

} // namespace

CElementFormset::CElementFormset(const SElementRecord& model, QWidget* parent, EMode mode)
    : CFormsetDialogOf(mode == EMode::PlacedText ? kTextDialogId : kDialogId, model, parent),
      m_mode(mode), m_typeCode(ElementRecord::TypeCodeOf(model.record)) {
    const std::unique_ptr<CSymbol> element = ElementRecord::NewElement(model.record);
    setWindowTitle(mode == EMode::PlacedText ? QString("Text")
                                             : TitleOf(element.get(), m_typeCode));
    auto* columns = new QHBoxLayout(Body());
    columns->setContentsMargins(0, 0, 0, 0);
    if (m_mode == EMode::PlacedText) {
        columns->addWidget(MakeToolGroup());
        return;
    }
    auto* left = new QVBoxLayout;
    left->addWidget(MakeLineGroup());
    left->addWidget(MakeAnchorGroup());
    left->addStretch(1);
    columns->addLayout(left);
    if (QGroupBox* tool = MakeToolGroup()) columns->addWidget(tool, 0, Qt::AlignTop);
}

CElementFormset::~CElementFormset() = default;

void CElementFormset::Row(QGridLayout& grid, int row, const QString& label, QWidget& control) {
    AddRow(grid, row, label, control, ControlIdOf(control).value_or(0) + kLabelOffset);
}

QLabel* CElementFormset::LabelFor(unsigned id, const QString& text, QWidget& buddy) {
    return NewLabel(text, buddy, id + kLabelOffset);
}

QCheckBox* CElementFormset::NewCheck(unsigned id, const QString& text) {
    auto* box = NewControl<QCheckBox>(id);
    box->setText(text);
    return box;
}

QLineEdit* CElementFormset::NewEdit(unsigned id, bool readOnly) {
    auto* edit = NewControl<QLineEdit>(id);
    edit->setReadOnly(readOnly);
    if (readOnly) {
        // On the window's ground, so that it does not look like a field to type into.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QGroupBox* CElementFormset::NewGroup(unsigned id, const QString& title) {
    auto* group = NewControl<QGroupBox>(id);
    group->setTitle(title);
    return group;
}

QGroupBox* CElementFormset::MakeLineGroup() {
    QGroupBox* group = NewGroup(kLineGroup, "Line");
    auto* grid = new QGridLayout(group);
    m_colour = NewControl<CColourButton>(kColour);
    Row(*grid, 0, "Colo&ur:", *m_colour);
    m_width = NewControl<CToolWidthList>(kWidth);
    Row(*grid, 1, "&Width:", *m_width);
    m_style = NewControl<CLineStyleList>(kStyle);
    Row(*grid, 2, "St&yle:", *m_style);
    m_extendLeft = NewCheck(kExtendLeft, "Extend &left");
    grid->addWidget(m_extendLeft, 3, 0, 1, 2);
    m_extendRight = NewCheck(kExtendRight, "Extend &right");
    grid->addWidget(m_extendRight, 4, 0, 1, 2);
    m_snap = NewCheck(kSnap, "&Snap to price");
    grid->addWidget(m_snap, 5, 0, 1, 2);
    m_snapField = NewControl<QComboBox>(kSnapField);
    Row(*grid, 6, "Snap &field:", *m_snapField);
    connect(m_snap, &QCheckBox::toggled, m_snapField, &QWidget::setEnabled);
    return group;
}

QGroupBox* CElementFormset::MakeAnchorGroup() {
    QGroupBox* group = NewGroup(kAnchorGroup, "Anchors");
    auto* grid = new QGridLayout(group);
    m_date1 = NewEdit(kDate1);
    Row(*grid, 0, "First &date:", *m_date1);
    m_price1 = NewEdit(kPrice1);
    Row(*grid, 1, "First &price:", *m_price1);
    m_date2 = NewEdit(kDate2);
    Row(*grid, 2, "Second d&ate:", *m_date2);
    // A horizontal line lies at its first value; its second anchor only places a handle.
    if (m_typeCode != CHorizontal::kTypeCode) {
        m_price2 = NewEdit(kPrice2);
        Row(*grid, 3, "Second pr&ice:", *m_price2);
    }
    if (m_typeCode == CTriangle::kTypeCode) {
        m_date3 = NewEdit(kDate3);
        Row(*grid, 4, "Third dat&e:", *m_date3);
        m_price3 = NewEdit(kPrice3);
        Row(*grid, 5, "T&hird price:", *m_price3);
    }
    return group;
}

QGroupBox* CElementFormset::MakeToolGroup() {
    QGroupBox* group = nullptr;
    auto begin = [&](const QString& title) {
        group = NewGroup(kToolGroup, title);
        return new QGridLayout(group);
    };
    switch (m_typeCode) {
    case CGChannel::kTypeCode:
    case CSDChannel::kTypeCode:
    case CSEChannel::kTypeCode:
        MakeChannelRows(*begin("Channel"));
        break;
    case CLineReg::kTypeCode:
        MakeRegressionRows(*begin("Regression"));
        break;
    case CFiboRetrace::kTypeCode:
        MakeRetraceRows(*begin("Levels"));
        break;
    case CFiboFan::kTypeCode:
    case CFiboArc::kTypeCode: {
        QGridLayout* grid = begin(m_typeCode == CFiboFan::kTypeCode ? "Fan" : "Arcs");
        m_ratio = NewEdit(kRatio);
        Row(*grid, 0, "Ra&tio:", *m_ratio);
        break;
    }
    case CFiboTime::kTypeCode: {
        QGridLayout* grid = begin("Time zones");
        m_zoneCount = NewEdit(kZoneCount);
        Row(*grid, 0, "&Number of zones:", *m_zoneCount);
        m_offsets = NewEdit(kOffsets, true);
        m_offsets->setMinimumWidth(m_offsets->fontMetrics().horizontalAdvance(QString(24, '0')));
        Row(*grid, 1, "Offse&ts:", *m_offsets);
        connect(m_zoneCount, &QLineEdit::textChanged, this, [this] { ShowOffsets(); });
        break;
    }
    case CCycle::kTypeCode: {
        QGridLayout* grid = begin("Cycles");
        m_cycleCount = NewEdit(kCycleCount);
        Row(*grid, 0, "&Number of cycles:", *m_cycleCount);
        break;
    }
    case CArrow::kTypeCode: {
        QGridLayout* grid = begin("Arrow head");
        m_headFlag = NewCheck(kHeadFlag, "&Head");
        grid->addWidget(m_headFlag, 0, 0, 1, 2);
        m_headFactor = NewEdit(kHeadFactor);
        Row(*grid, 1, "Head fac&tor:", *m_headFactor);
        m_headLength = NewEdit(kHeadLength);
        Row(*grid, 2, "Head le&ngth (pixels):", *m_headLength);
        break;
    }
    case CText::kTypeCode:
        MakeTextRows(*begin("Text"));
        break;
    case CIco::kTypeCode: {
        QGridLayout* grid = begin("Icon");
        m_icon = NewControl<CSymbolPicker>(kIcon);
        grid->addWidget(LabelFor(kIcon, "Ico&n:", *m_icon), 0, 0, Qt::AlignTop);
        grid->addWidget(m_icon, 1, 0);
        break;
    }
    default:
        break;
    }
    return group;
}

void CElementFormset::MakeChannelRows(QGridLayout& grid) {
    m_upperShown = NewCheck(kUpperShown, "Upp&er line shown");
    grid.addWidget(m_upperShown, 0, 0);
    m_lowerShown = NewCheck(kLowerShown, "Lower li&ne shown");
    grid.addWidget(m_lowerShown, 1, 0);
}

void CElementFormset::MakeRegressionRows(QGridLayout& grid) {
    m_slope = NewEdit(kSlope, true);
    Row(grid, 0, "Slop&e:", *m_slope);
    m_intercept = NewEdit(kIntercept, true);
    Row(grid, 1, "In&tercept:", *m_intercept);
}

void CElementFormset::MakeRetraceRows(QGridLayout& grid) {
    m_labelColour = NewControl<CColourButton>(kLabelColour);
    Row(grid, 0, "La&bel colour:", *m_labelColour);
    m_labelFont = NewControl<CFontPicker>(kLabelFont);
    grid.addWidget(LabelFor(kLabelFont, "Label fo&nt:", *m_labelFont->FaceBox()), 1, 0);
    grid.addWidget(m_labelFont, 1, 1);
    connect(m_labelFont, &CFontPicker::fontChanged, this, [this] { m_labelFontChanged = true; });

    m_levels = NewControl<QTableWidget>(kLevels);
    m_levels->setColumnCount(2);
    m_levels->setHorizontalHeaderLabels({Qs(CLanguage::TranslateText("LevelRatio", "Ratio")),
                                         Qs(CLanguage::TranslateText("LevelShown", "Shown"))});
    m_levels->verticalHeader()->setVisible(true);
    m_levels->horizontalHeader()->setStretchLastSection(true);
    m_levels->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_levels->setSelectionMode(QAbstractItemView::SingleSelection);
    m_levels->setTabKeyNavigation(false);
    m_levels->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    m_levels->setMinimumHeight(m_levels->verticalHeader()->defaultSectionSize() * 10);
    grid.addWidget(LabelFor(kLevels, "Le&vels:", *m_levels), 2, 0, Qt::AlignTop);
    grid.addWidget(m_levels, 2, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = NewControl<QPushButton>(kAddLevel);
    add->setText("Add l&evel");
    auto* remove = NewControl<QPushButton>(kRemoveLevel);
    remove->setText("Re&move");
    auto* restore = NewControl<QPushButton>(kRestoreLevels);
    restore->setText("Res&tore defaults");
    for (QPushButton* button : {add, remove, restore}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    grid.addLayout(buttons, 3, 1);
    connect(add, &QPushButton::clicked, this, [this] { AddLevel(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveLevel(); });
    connect(restore, &QPushButton::clicked, this, [this] { RestoreLevels(); });
}

void CElementFormset::MakeTextRows(QGridLayout& grid) {
    m_text = NewControl<QPlainTextEdit>(kText);
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(m_text->fontMetrics().horizontalAdvance(QString(32, 'x')),
                           m_text->fontMetrics().lineSpacing() * 5);
    grid.addWidget(LabelFor(kText, "&Text:", *m_text), 0, 0, Qt::AlignTop);
    grid.addWidget(m_text, 0, 1);
    m_textColour = NewControl<CColourButton>(kTextColour);
    Row(grid, 1, "Te&xt colour:", *m_textColour);
    m_textFont = NewControl<CFontPicker>(kTextFont);
    grid.addWidget(LabelFor(kTextFont, "Fo&nt:", *m_textFont->FaceBox()), 2, 0);
    grid.addWidget(m_textFont, 2, 1);
    connect(m_textFont, &CFontPicker::fontChanged, this, [this] { m_textFontChanged = true; });
}

void CElementFormset::Load() {
    const std::unique_ptr<CSymbol> element = ElementRecord::NewElement(Copy().record);
    if (!element) return;
    if (m_mode == EMode::Properties)
        if (const auto* line = dynamic_cast<const CLine*>(element.get())) LoadLine(*line);
    LoadTool(*element);
    m_labelFontChanged = m_textFontChanged = false;
    if (m_text)
        m_text->setFocus();
    else if (m_colour)
        m_colour->setFocus();
}

void CElementFormset::LoadLine(const CLine& line) {
    m_colour->SetColour(line.color);
    m_width->SetLineWidth(line.lineWidth);
    m_style->SetPenStyle(line.lineStyle - 1);
    m_extendLeft->setChecked(line.extendLeft != 0);
    m_extendRight->setChecked(line.extendRight != 0);
    m_snap->setChecked(line.snapToPrice != 0);
    m_snapField->setEnabled(line.snapToPrice != 0);
    static const std::vector<std::string> kNoCurves;
    const std::vector<std::string>& curves =
        Copy().context ? Copy().context->curveNames : kNoCurves;
    for (const SSnapChoice& choice : SnapChoices(m_typeCode, curves))
        m_snapField->addItem(Qs(choice.text), Qs(choice.code));
    int index = m_snapField->findData(Qs(line.snapField));
    // A curve that has gone from the pane is still what the line follows until changed.
    if (index < 0 && !line.snapField.empty()) {
        m_snapField->addItem(Qs(line.snapField), Qs(line.snapField));
        index = m_snapField->count() - 1;
    }
    m_snapField->setCurrentIndex(index);

    static const std::vector<std::string> kNoDates;
    const std::vector<std::string>& dates = Copy().context ? Copy().context->barDates : kNoDates;
    m_date1->setText(Qs(AnchorDates::TextOf(line.x1, dates)));
    ShowNumber(*m_price1, line.y1);
    m_date2->setText(Qs(AnchorDates::TextOf(line.x2, dates)));
    if (m_price2) ShowNumber(*m_price2, line.y2);
    if (const auto* triangle = dynamic_cast<const CTriangle*>(&line)) {
        m_date3->setText(Qs(AnchorDates::TextOf(triangle->x3, dates)));
        ShowNumber(*m_price3, triangle->y3);
    }
    for (QLineEdit* edit : {m_date1, m_date2, m_date3})
        if (edit) edit->setPlaceholderText("(no bar)");
}

void CElementFormset::LoadTool(const CSymbol& element) {
    if (const auto* channel = dynamic_cast<const CGChannel*>(&element); channel && m_upperShown) {
        m_upperShown->setChecked(channel->upperShown != 0);
        m_lowerShown->setChecked(channel->lowerShown != 0);
    }
    if (const auto* reg = dynamic_cast<const CLineReg*>(&element)) {
        ShowNumber(*m_slope, reg->slope);
        ShowNumber(*m_intercept, reg->intercept);
    }
    if (const auto* retrace = dynamic_cast<const CFiboRetrace*>(&element)) {
        m_labelColour->SetColour(retrace->labelColour);
        m_labelFont->SetLogFont(retrace->labelFont);
        ShowLevelRows(FiboLevels::RowsOf(retrace->levels));
    }
    if (const auto* fan = dynamic_cast<const CFiboFan*>(&element)) ShowNumber(*m_ratio, fan->ratio);
    if (const auto* arc = dynamic_cast<const CFiboArc*>(&element)) ShowNumber(*m_ratio, arc->ratio);
    if (const auto* zones = dynamic_cast<const CFiboTime*>(&element)) {
        m_zoneCount->setText(QString::number(zones->zoneCount));
        m_offsets->setText(Qs(ToolFields::OffsetsText(zones->offsets)));
    }
    if (const auto* cycle = dynamic_cast<const CCycle*>(&element))
        m_cycleCount->setText(QString::number(cycle->cycleCount));
    if (const auto* arrow = dynamic_cast<const CArrow*>(&element)) {
        m_headFlag->setChecked(arrow->headFlag != 0);
        ShowNumber(*m_headFactor, arrow->headFactor);
        m_headLength->setText(QString::number(arrow->headLength));
    }
    if (const auto* text = dynamic_cast<const CText*>(&element)) {
        m_text->setPlainText(Qs(text->text));
        m_textColour->SetColour(text->textColour);
        m_textFont->SetLogFont(text->font);
    }
    if (const auto* icon = dynamic_cast<const CIco*>(&element)) m_icon->SetSymbol(icon->iconNumber);
}

std::optional<SFieldError> CElementFormset::Store() {
    std::unique_ptr<CSymbol> element = ElementRecord::NewElement(Copy().record);
    if (!element) return std::nullopt;
    if (auto* line = dynamic_cast<CLine*>(element.get()); line && m_mode == EMode::Properties)
        if (auto error = StoreLine(*line)) return error;
    if (auto error = StoreTool(*element)) return error;
    Copy().record = ElementRecord::Of(*element);
    return std::nullopt;
}

std::optional<SFieldError> CElementFormset::StoreLine(CLine& line) {
    line.color = m_colour->Colour();
    line.lineWidth = m_width->LineWidth();
    // A stored 0 is drawn solid as style 1 is; it stays 0 while solid is kept.
    if (line.lineStyle != 0 || m_style->PenStyle() != 0) line.lineStyle = m_style->PenStyle() + 1;
    line.extendLeft = Flag(*m_extendLeft);
    line.extendRight = Flag(*m_extendRight);
    line.snapToPrice = Flag(*m_snap);
    if (m_snapField->currentIndex() >= 0)
        line.snapField = m_snapField->currentData().toString().toStdString();

    float x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
    if (auto error = ReadDate(*m_date1, x1)) return error;
    if (auto error = ReadNumber(*m_price1, y1)) return error;
    if (auto error = ReadDate(*m_date2, x2)) return error;
    if (m_price2) {
        if (auto error = ReadNumber(*m_price2, y2)) return error;
    } else {
        y2 = y1;
    }
    if (auto* triangle = dynamic_cast<CTriangle*>(&line)) {
        float x3 = triangle->x3, y3 = triangle->y3;
        if (auto error = ReadDate(*m_date3, x3)) return error;
        if (auto error = ReadNumber(*m_price3, y3)) return error;
        triangle->x3 = x3;
        triangle->y3 = y3;
    }
    line.x1 = x1;
    line.y1 = y1;
    line.x2 = x2;
    line.y2 = y2;
    return std::nullopt;
}

std::optional<SFieldError> CElementFormset::StoreTool(CSymbol& element) {
    if (auto* channel = dynamic_cast<CGChannel*>(&element); channel && m_upperShown) {
        channel->upperShown = Flag(*m_upperShown);
        channel->lowerShown = Flag(*m_lowerShown);
    }
    if (auto* retrace = dynamic_cast<CFiboRetrace*>(&element)) {
        retrace->labelColour = m_labelColour->Colour();
        if (m_labelFontChanged) retrace->labelFont = m_labelFont->LogFont();
        std::vector<FiboLevels::SLevel> levels = retrace->levels;
        if (auto error =
                FiboLevels::Read(kLevels, CLanguage::TranslateText("Level", "Level"), LevelRows(),
                                 locale().decimalPoint().toStdString(), levels))
            return error;
        retrace->levels = std::move(levels);
    }
    if (auto* fan = dynamic_cast<CFiboFan*>(&element))
        if (auto error = ReadRanged(*m_ratio, 0, 1, false, fan->ratio)) return error;
    if (auto* arc = dynamic_cast<CFiboArc*>(&element))
        if (auto error = ReadRanged(*m_ratio, 0, 1, false, arc->ratio)) return error;
    if (auto* zones = dynamic_cast<CFiboTime*>(&element)) {
        int count = zones->zoneCount;
        if (auto error = ReadInt(*m_zoneCount, 1, CFiboTime::kMaxZones, count)) return error;
        if (count != zones->zoneCount) zones->SetZoneCount(count);
    }
    if (auto* cycle = dynamic_cast<CCycle*>(&element))
        if (auto error = ReadInt(*m_cycleCount, 1, CCycle::kMaxCycles, cycle->cycleCount))
            return error;
    if (auto* arrow = dynamic_cast<CArrow*>(&element)) {
        arrow->headFlag = Flag(*m_headFlag);
        if (auto error =
                ReadRanged(*m_headFactor, kMinHeadFactor, kMaxHeadFactor, true, arrow->headFactor))
            return error;
        if (auto error = ReadInt(*m_headLength, 1, kMaxHeadLength, arrow->headLength)) return error;
    }
    if (auto* text = dynamic_cast<CText*>(&element)) {
        const std::string typed = m_text->toPlainText().toStdString();
        if (m_mode == EMode::PlacedText)
            text->text = typed; // an empty text takes the new element away again
        else if (auto error = ToolFields::ReadText(kText, FieldName(*m_text).toStdString(), typed,
                                                   text->text))
            return error;
        text->textColour = m_textColour->Colour();
        if (m_textFontChanged) text->font = m_textFont->LogFont();
    }
    if (auto* icon = dynamic_cast<CIco*>(&element); icon && m_icon->Symbol() >= 0)
        icon->iconNumber = m_icon->Symbol();
    return std::nullopt;
}

std::optional<SFieldError> CElementFormset::ReadInt(const QLineEdit& edit, int low, int high,
                                                    int& value) const {
    return ReadWholeNumberField(ControlIdOf(edit).value_or(0), FieldName(edit).toStdString(),
                                edit.text().toStdString(), low, high, value);
}

std::optional<SFieldError> CElementFormset::ReadRanged(const QLineEdit& edit, float low, float high,
                                                       bool inclusive, float& value) const {
    return ToolFields::ReadFloatInRange(
        ControlIdOf(edit).value_or(0), FieldName(edit).toStdString(), edit.text().toStdString(),
        locale().decimalPoint().toStdString(), low, high,
        inclusive ? ToolFields::EBounds::Inclusive : ToolFields::EBounds::Exclusive, value);
}

std::optional<SFieldError> CElementFormset::ReadDate(const QLineEdit& edit, float& x) const {
    static const std::vector<std::string> kNoDates;
    return AnchorDates::Read(ControlIdOf(edit).value_or(0), FieldName(edit).toStdString(),
                             edit.text().toStdString(),
                             Copy().context ? Copy().context->barDates : kNoDates, x);
}

void CElementFormset::ShowLevelRows(const std::vector<FiboLevels::SRow>& rows) {
    m_levels->setRowCount(0);
    for (const FiboLevels::SRow& row : rows) {
        const int at = m_levels->rowCount();
        m_levels->insertRow(at);
        m_levels->setItem(at, 0, new QTableWidgetItem(Qs(row.ratio)));
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        shown->setCheckState(row.shown ? Qt::Checked : Qt::Unchecked);
        m_levels->setItem(at, 1, shown);
    }
    if (m_levels->rowCount() > 0) m_levels->setCurrentCell(0, 0);
}

std::vector<FiboLevels::SRow> CElementFormset::LevelRows() const {
    std::vector<FiboLevels::SRow> rows;
    for (int row = 0; row < m_levels->rowCount(); ++row) {
        const QTableWidgetItem* ratio = m_levels->item(row, 0);
        const QTableWidgetItem* shown = m_levels->item(row, 1);
        rows.push_back({ratio ? ratio->text().toStdString() : std::string(),
                        shown && shown->checkState() == Qt::Checked});
    }
    return rows;
}

void CElementFormset::AddLevel() {
    std::vector<FiboLevels::SRow> rows = LevelRows();
    if (rows.size() >= FiboLevels::kMaxLevels) return;
    rows.push_back({"", true});
    ShowLevelRows(rows);
    const int last = m_levels->rowCount() - 1;
    m_levels->setFocus();
    m_levels->setCurrentCell(last, 0);
    m_levels->editItem(m_levels->item(last, 0));
}

void CElementFormset::RemoveLevel() {
    const int row = m_levels->currentRow();
    if (row < 0) return;
    m_levels->removeRow(row);
    m_levels->setFocus();
    if (m_levels->rowCount() > 0)
        m_levels->setCurrentCell(std::min(row, m_levels->rowCount() - 1), 0);
}

void CElementFormset::RestoreLevels() {
    ShowLevelRows(FiboLevels::RowsOf(FiboLevels::Defaults()));
}

void CElementFormset::ShowOffsets() {
    int count = 0;
    if (ReadWholeNumberField(kZoneCount, "", m_zoneCount->text().toStdString(), 1,
                             CFiboTime::kMaxZones, count)) {
        m_offsets->clear();
        return;
    }
    CFiboTime zones;
    zones.SetZoneCount(count);
    m_offsets->setText(Qs(ToolFields::OffsetsText(zones.offsets)));
}
