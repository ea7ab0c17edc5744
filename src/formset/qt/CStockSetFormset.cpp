#include "CStockSetFormset.h"
#include "CPriceLinePreview.h"
#include "ctlkit/lang/CLanguage.h"
#include "formset/qt/pickers/CColourButton.h"
#include "formset/qt/pickers/CLineStyleList.h"
#include "formset/qt/pickers/CLineWidthList.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <array>

namespace {

constexpr std::array<const char*, CPriceLineSettings::kPriceStyles> kNeutralPriceStyles = {
    "Hidden", "OHLC bars", "Candles", "Line (open)", "Line (close)", "Line (high)", "Line (low)"};

} // namespace

CStockSetFormset::CStockSetFormset(const CPriceLineSettings& settings, QWidget* parent)
    : CFormsetDialogOf(kDialogId, settings, parent) {
    setWindowTitle("Priceline Setting Dialog");
    auto* grid = new QGridLayout(Body());
    m_priceStyle = NewControl<QComboBox>(kPriceStyle);
    for (int style = 0; style < CPriceLineSettings::kPriceStyles; ++style)
        m_priceStyle->addItem(PriceStyleText(style));
    AddRow(*grid, 0, "&Price Line Style:", *m_priceStyle, kPriceStyleLabel);
    m_penStyle = NewControl<CLineStyleList>(kPenStyle);
    AddRow(*grid, 1, "&Line Style:", *m_penStyle, kPenStyleLabel);
    m_weight = NewControl<CLineWidthList>(kWeight);
    AddRow(*grid, 2, "&Weight:", *m_weight, kWeightLabel);

    auto* colours = new QHBoxLayout;
    colours->addWidget(NewBarGroup(
        "Rising bar", {kRiseGroup, kRiseBorder, kRiseBorderLabel, kRiseFill, kRiseFillLabel},
        "&Border", "&Fill", m_riseBorder, m_riseFill));
    colours->addWidget(NewBarGroup(
        "Falling bar", {kFallGroup, kFallBorder, kFallBorderLabel, kFallFill, kFallFillLabel},
        "Bo&rder", "F&ill", m_fallBorder, m_fallFill));
    grid->addLayout(colours, 3, 0, 1, 2);

    auto* doji = new QHBoxLayout;
    m_doji = NewColourButton(kDoji);
    doji->addWidget(NewLabel("&Doji Color", *m_doji, kDojiLabel));
    doji->addWidget(m_doji);
    doji->addStretch(1);
    grid->addLayout(doji, 4, 0, 1, 2);

    m_preview = NewControl<CPriceLinePreview>(kPreview);
    grid->addWidget(m_preview, 0, 2, 5, 1);
    grid->setColumnStretch(2, 1);

    // The fall group is filled after the doji button, so tab order is set to the look.
    setTabOrder(m_priceStyle, m_penStyle);
    setTabOrder(m_penStyle, m_weight);
    setTabOrder(m_weight, m_riseBorder);
    setTabOrder(m_riseBorder, m_riseFill);
    setTabOrder(m_riseFill, m_fallBorder);
    setTabOrder(m_fallBorder, m_fallFill);
    setTabOrder(m_fallFill, m_doji);

    connect(m_priceStyle, &QComboBox::currentIndexChanged, this, &CStockSetFormset::Changed);
    connect(m_penStyle, &CLineStyleList::penStyleChanged, this, &CStockSetFormset::Changed);
    connect(m_weight, &CLineWidthList::lineWidthChanged, this, &CStockSetFormset::Changed);
}

QGroupBox* CStockSetFormset::NewBarGroup(const QString& title, const SBarGroupIds& ids,
                                         const QString& borderLabel, const QString& fillLabel,
                                         CColourButton*& border, CColourButton*& fill) {
    auto* group = NewControl<QGroupBox>(ids.group);
    group->setTitle(title);
    auto* grid = new QGridLayout(group);
    border = NewColourButton(ids.border);
    AddRow(*grid, 0, borderLabel, *border, ids.borderLabel);
    fill = NewColourButton(ids.fill);
    AddRow(*grid, 1, fillLabel, *fill, ids.fillLabel);
    return group;
}

CColourButton* CStockSetFormset::NewColourButton(unsigned id) {
    CColourButton* button = NewControl<CColourButton>(id);
    connect(button, &CColourButton::colourChanged, this, &CStockSetFormset::Changed);
    return button;
}

std::function<bool(CPriceLineSettings&)> CStockSetFormset::Editor(QWidget* chartView) {
    return DialogOnCopy<CStockSetFormset>(chartView);
}

QString CStockSetFormset::PriceStyleText(int style) {
    if (std::optional<std::string> text = CLanguage::TranslateString(kPriceStyleTextIds[style]))
        return QString::fromStdString(*text);
    return QString::fromLatin1(kNeutralPriceStyles[static_cast<size_t>(style)]);
}

void CStockSetFormset::Load() {
    const CPriceLineSettings& s = Copy();
    // A price style outside the list draws nothing, so it shows as hidden.
    const bool known = s.priceStyle >= 0 && s.priceStyle < CPriceLineSettings::kPriceStyles;
    m_priceStyle->setCurrentIndex(known ? s.priceStyle : 0);
    m_penStyle->SetPenStyle(s.penStyle);
    m_weight->SetLineWidth(s.weight);
    m_riseBorder->SetColour(s.riseBorder);
    m_riseFill->SetColour(s.riseFill);
    m_doji->SetColour(s.doji);
    m_fallBorder->SetColour(s.fallBorder);
    m_fallFill->SetColour(s.fallFill);
    m_loaded = true;
    Changed();
}

std::optional<SFieldError> CStockSetFormset::Store() {
    CPriceLineSettings& s = Copy();
    s.priceStyle = m_priceStyle->currentIndex();
    s.penStyle = m_penStyle->PenStyle();
    s.weight = m_weight->LineWidth();
    s.riseBorder = m_riseBorder->Colour();
    s.riseFill = m_riseFill->Colour();
    s.doji = m_doji->Colour();
    s.fallBorder = m_fallBorder->Colour();
    s.fallFill = m_fallFill->Colour();
    return std::nullopt;
}

void CStockSetFormset::Changed() {
    // Loading sets one control after the other; the copy is read once they all show it.
    if (!m_loaded) return;
    Store();
    m_preview->SetSettings(Copy());
    Preview();
}
