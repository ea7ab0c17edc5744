#pragma once
#include "CFormsetDialogOf.h"
#include "view/CPriceLineSettings.h"
#include <functional>

class CColourButton;
class CLineStyleList;
class CLineWidthList;
class CPriceLinePreview;
class QComboBox;
class QGroupBox;

// "Priceline Setting Dialog" (dialog 239): the price style, the line pen style and weight and
// the five bar colours of a price series, with a preview of a rising, a falling and an
// unchanged bar that follows every change.
class CStockSetFormset : public CFormsetDialogOf<CPriceLineSettings> {
public:
    static constexpr unsigned kDialogId = 239;
    enum EControl : unsigned {
        kPriceStyle = 1116,
        kPenStyle = 1144,
        kWeight = 1143,
        kRiseBorder = 1109,
        kRiseFill = 1125,
        kDoji = 2009,
        kFallBorder = 1121,
        kFallFill = 1128,
        kPreview = 1138,
        // The labels and groups, so that a language file can rename them too.
        kPriceStyleLabel = 1201,
        kPenStyleLabel = 1202,
        kWeightLabel = 1203,
        kRiseGroup = 1204,
        kRiseBorderLabel = 1205,
        kRiseFillLabel = 1206,
        kFallGroup = 1207,
        kFallBorderLabel = 1208,
        kFallFillLabel = 1209,
        kDojiLabel = 1210,
    };
    // The translation texts of the price styles 0 to 6, in list order.
    static constexpr unsigned kPriceStyleTextIds[CPriceLineSettings::kPriceStyles] = {
        98, 99, 113, 114, 110, 111, 112};

    CStockSetFormset(const CPriceLineSettings& settings, QWidget* parent);

    // What the chart view hands EditPriceLineSettings: runs the dialog modally over
    // `chartView` on the settings' copy; true on OK.
    static std::function<bool(CPriceLineSettings&)> Editor(QWidget* chartView);

    // The text of price style `style` in the list: its translation text, else a neutral one.
    static QString PriceStyleText(int style);

private:
    void Load() override;
    std::optional<SFieldError> Store() override;
    // Every list and colour change: the copy takes it and the preview shows it.
    void Changed();

    CColourButton* NewColourButton(unsigned id);
    // The group of a rising or a falling bar: its border and fill colour buttons.
    struct SBarGroupIds {
        unsigned group, border, borderLabel, fill, fillLabel;
    };
    QGroupBox* NewBarGroup(const QString& title, const SBarGroupIds& ids,
                           const QString& borderLabel, const QString& fillLabel,
                           CColourButton*& border, CColourButton*& fill);

    QComboBox* m_priceStyle;
    CLineStyleList* m_penStyle;
    CLineWidthList* m_weight;
    CColourButton* m_riseBorder;
    CColourButton* m_riseFill;
    CColourButton* m_doji;
    CColourButton* m_fallBorder;
    CColourButton* m_fallFill;
    CPriceLinePreview* m_preview;
    bool m_loaded = false;
};
